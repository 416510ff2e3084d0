// The pack and change menus' wiring: Apply Pack… through its window is one undo step, Edit ▸
// Revert to Original puts the chosen boot back as the kept original holds it, View ▸ Changes and
// File ▸ Compare With… mark the table.
#include "MainWindowFixture.h"
#include "editor/BootsTableModel.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"

#include <QAction>
#include <QDialog>
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
    EXPECT_EQ(cell(1, BootField::Id::Name).data(Qt::ToolTipRole).toString(),
              QStringLiteral("In other.bin: Theirs"));

    trigger("mnuChanges");
    EXPECT_FALSE(cell(1, BootField::Id::Name).data(BootsTableModel::ChangedRole).toBool())
        << "back to the original";
}

} // namespace
