// The pack and change menus' wiring: Apply Pack… through its window is one undo step and says
// what it did, a change that cannot be made holds OK until it is unticked, Applied Packs…
// reverts through the receipt, Edit ▸ Revert to Original puts the chosen boot back as the kept
// original holds it, View ▸ Changes and File ▸ Compare With… mark the table.
#include "MainWindowFixture.h"
#include "editor/AppliedPacks.h"
#include "editor/BootsTableModel.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTreeWidget>
#include <QUndoStack>

namespace {

class PackWindow : public MainWindowFixture
{
protected:
    void trigger(const char *name) { find<QAction>(QString::fromLatin1(name))->trigger(); }
    QAbstractItemModel *table() { return find<QTableView>(QStringLiteral("tblBoots"))->model(); }
    /// The table's cell of boot `position` (shown in file order) in the column of `field`.
    QModelIndex cell(int position, BootField::Id field)
    {
        return table()->index(position, BootsTableModel::columnOf(BootFields::field(field)));
    }
    const std::vector<BootRecord> records = TestData::boots(4);

    /// A pack from `records` to `mine`, with a texture change when `texture`, at gold.cwpack.
    QString writePack(const std::vector<BootRecord> &mine, bool texture = false,
                      const std::string &title = "Gold")
    {
        PackMaker::Input input;
        input.manifest.title = title;
        input.base = records;
        input.baseBoots = TestData::bootsFile(records);
        input.mine = mine;
        const auto dds = [](std::uint8_t red) {
            return TestData::dds(TestData::DdsFormat::Rgba32, 4, 4, {red, 0, 0, 255});
        };
        if (texture)
            input.archives.push_back({"unnamed_5756.bin",
                                      TestData::textureArchive({{"aa00", dds(1)}}),
                                      TestData::textureArchive({{"aa00", dds(2)}})});
        Pack pack;
        EXPECT_TRUE(PackMaker::make(input, pack, nullptr));
        const std::string path = gameDir.file("gold.cwpack");
        EXPECT_TRUE(PackFile::writeFile(pack, path, nullptr));
        return QString::fromStdString(path);
    }
};

TEST_F(PackWindow, ApplyPackShowsEveryChangeAndMakesOneUndoStep)
{
    std::vector<BootRecord> mine = records;
    mine[1].Sila = 5;
    mine[2].Kolor = "Gold";
    PackMaker::Input input;
    input.manifest.title = "Gold";
    input.base = records;
    input.baseBoots = TestData::bootsFile(records);
    input.mine = mine;
    Pack pack;
    ASSERT_TRUE(PackMaker::make(input, pack, nullptr));
    const std::string packPath = gameDir.file("gold.cwpack");
    ASSERT_TRUE(PackFile::writeFile(pack, packPath, nullptr));

    window();
    open(writeGame(records));
    answer.file(QString::fromStdString(packPath));
    int rows = 0;
    answer.then([&rows](QWidget *dialog) {
        ASSERT_EQ(dialog->objectName(), QStringLiteral("frmApplyPack"));
        rows = dialog->findChild<QTreeWidget *>(QStringLiteral("lstChanges"))->topLevelItemCount();
        QMetaObject::invokeMethod(dialog, "accept");
    });
    trigger("mnuApplyPack");
    EXPECT_EQ(answer.pending(), 0);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(window().database().records(), mine);
    QUndoStack *stack = window().document().undoStack();
    EXPECT_EQ(stack->count(), 1);
    EXPECT_EQ(stack->undoText(), QStringLiteral("Apply Pack Gold"));
    stack->undo();
    EXPECT_EQ(window().database().records(), records);
}

TEST_F(PackWindow, ATickedChangeThatCannotBeMadeHoldsOkUntilItIsUnticked)
{
    std::vector<BootRecord> mine = records;
    mine[1].Sila = 5;
    window();
    open(writeGame(records));
    // No archive is loaded for the texture; the title is long enough to widen any window.
    answer.file(writePack(mine, true, "Gold " + std::string(400, 'x')));
    bool heldOk = false;
    bool fits = false;
    answer.then([&heldOk, &fits](QWidget *dialog) {
        fits = dialog->frameGeometry().width() <= dialog->screen()->availableGeometry().width();
        auto *ok = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttons"))
                       ->button(QDialogButtonBox::Ok);
        auto *problems = dialog->findChild<QLabel *>(QStringLiteral("lblProblems"));
        auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("lstChanges"));
        heldOk = !ok->isEnabled() && !problems->text().isEmpty();
        list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        if (ok->isEnabled() && problems->isHidden())
            ok->click();
    });
    trigger("mnuApplyPack");
    EXPECT_EQ(answer.pending(), 0);
    EXPECT_TRUE(heldOk);
    EXPECT_TRUE(fits);
    EXPECT_EQ(window().database().records(), mine);
    EXPECT_TRUE(window().statusBar()->currentMessage().endsWith(
        QStringLiteral("\u201d: 1 change applied, 1 left out")));
}

TEST_F(PackWindow, AppliedPacksRevertsThroughTheReceipt)
{
    std::vector<BootRecord> mine = records;
    mine[2].Kolor = "Gold";
    std::vector<BootRecord> receivers = records;
    receivers[1].Kolor = "Gold"; // not the pack's: a revert must leave it
    window();
    open(writeGame(receivers));
    answer.file(writePack(mine));
    answer.then([](QWidget *dialog) { QMetaObject::invokeMethod(dialog, "accept"); });
    trigger("mnuApplyPack");
    int listed = 0;
    answer.then([&listed](QWidget *dialog) {
        ASSERT_EQ(dialog->objectName(), QStringLiteral("frmAppliedPacks"));
        listed =
            dialog->findChild<QTreeWidget *>(QStringLiteral("lstApplied"))->topLevelItemCount();
        dialog->findChild<QPushButton *>(QStringLiteral("cmdRevertApplied"))->click();
    });
    answer.then([](QWidget *dialog) {
        ASSERT_EQ(dialog->objectName(), QStringLiteral("frmApplyPack"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    trigger("mnuAppliedPacks");
    EXPECT_EQ(answer.pending(), 0);
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(window().database().records(), receivers);
    EXPECT_TRUE(window().document().appliedPacks().receipts().empty());
    EXPECT_EQ(window().document().undoStack()->count(), 2);
}

TEST_F(PackWindow, RevertToOriginalPutsTheListedBootBack)
{
    window();
    const QString game = writeGame(records);
    open(game);
    std::vector<BootRecord> changed = records;
    changed[2].Nazwa = "Mine";
    changed[3].Nazwa = "Also mine";
    ASSERT_TRUE(window().document().changeRecords(QStringLiteral("Change"), changed));
    select(2);
    trigger("mnuRevert");
    EXPECT_EQ(window().database().records()[2], records[2]);
    EXPECT_EQ(window().database().records()[3].Nazwa, "Also mine");
    EXPECT_EQ(window().document().undoStack()->undoText(), QStringLiteral("Revert to Original"));
}

TEST_F(PackWindow, ChangesMarksTheEditedCellsAndOffersChangedOnly)
{
    window();
    open(writeGame(records));
    auto *changedOnly = find<QCheckBox>(QStringLiteral("chkChangedOnly"));
    EXPECT_FALSE(changedOnly->isEnabled());
    std::vector<BootRecord> changed = records;
    changed[2].Kolor = "Gold";
    ASSERT_TRUE(window().document().changeRecords(QStringLiteral("Change"), changed));

    trigger("mnuChanges");
    EXPECT_TRUE(find<QAction>(QStringLiteral("mnuChanges"))->isChecked());
    EXPECT_TRUE(cell(2, BootField::Id::Colour).data(BootsTableModel::ChangedRole).toBool());
    EXPECT_EQ(cell(2, BootField::Id::Colour).data(Qt::ToolTipRole).toString(),
              QStringLiteral("Original: Colour 2"));
    ASSERT_TRUE(changedOnly->isEnabled());
    changedOnly->click();
    EXPECT_EQ(table()->rowCount(), 1);

    trigger("mnuChanges");
    EXPECT_FALSE(changedOnly->isEnabled());
    EXPECT_FALSE(changedOnly->isChecked());
    EXPECT_EQ(table()->rowCount(), 4);
}

TEST_F(PackWindow, CompareWithMarksTheOtherFilesValuesAndRefusesABadFile)
{
    std::vector<BootRecord> other = records;
    other[1].Nazwa = "Theirs";
    const QString otherPath = writeGame(other, QStringLiteral("other.bin"));
    const QString badPath = writeGameBytes({1, 2, 3}, QStringLiteral("bad.bin"));
    window();
    open(writeGame(records));
    trigger("mnuChanges");

    answer.file(badPath);
    answer.message();
    trigger("mnuCompare");
    EXPECT_EQ(answer.names, QStringList({"CDCompare", "compareNotReadMessage"}));
    EXPECT_TRUE(find<QAction>(QStringLiteral("mnuChanges"))->isChecked()) << "nothing changed";

    answer.file(otherPath);
    trigger("mnuCompare");
    EXPECT_EQ(answer.pending(), 0);
    EXPECT_FALSE(find<QAction>(QStringLiteral("mnuChanges"))->isChecked());
    EXPECT_TRUE(cell(1, BootField::Id::Name).data(BootsTableModel::ChangedRole).toBool());
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblCompare"))->text(),
              QStringLiteral("Compared with other.bin in ") +
                  QDir::toNativeSeparators(QFileInfo(otherPath).absolutePath()));

    trigger("mnuChanges");
    EXPECT_FALSE(cell(1, BootField::Id::Name).data(BootsTableModel::ChangedRole).toBool())
        << "back to the original";
}

} // namespace
