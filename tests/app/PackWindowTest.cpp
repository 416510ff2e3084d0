// The pack menus' wiring: Apply Pack… through its window is one undo step, and Edit ▸ Revert
// to Original puts the listed boot back as the kept original holds it.
#include "MainWindowFixture.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"

#include <QAction>
#include <QDialog>
#include <QTreeWidget>
#include <QUndoStack>

namespace {

class PackWindow : public MainWindowFixture
{
protected:
    void trigger(const char *name) { find<QAction>(QString::fromLatin1(name))->trigger(); }
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

} // namespace
