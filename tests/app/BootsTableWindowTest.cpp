#include "MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QHeaderView>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

namespace {

constexpr int kShotPower = 5;

class BootsTableWindow : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        records = TestData::boots(20);
        records[7].Sila = 0;
        records[12].Sila = 255;
        game = writeGame(records);
        open(game);
        find<QAction>("mnuTable")->trigger();
        table = find<QTableView>("tblBoots");
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        table->setFocus();
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect cell = table->visualRect(table->model()->index(row, 1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    QString shown(int row, int column)
    {
        return table->model()->index(row, column).data().toString();
    }
    QUndoStack *steps() { return window().document().undoStack(); }

    std::vector<BootRecord> records;
    QString game;
    QTableView *table = nullptr;
};

TEST_F(BootsTableWindow, SortingShowsTheOrderAndKeepsEveryPosition)
{
    ASSERT_TRUE(find<QDockWidget>("dockTable")->isVisible());
    ASSERT_EQ(table->model()->rowCount(), 20);
    QHeaderView *header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(kShotPower) + 5, 5));
    EXPECT_EQ(shown(0, kShotPower), "0");
    EXPECT_EQ(shown(19, kShotPower), "255");
    EXPECT_EQ(list()->item(7)->text(), "Boot 7") << "the list keeps the file's order";

    clickRow(19); // boot 12
    EXPECT_EQ(list()->currentRow(), 12);
    EXPECT_EQ(txt(3)->text(), "255");
    select(3);
    EXPECT_EQ(shown(table->currentIndex().row(), 0), "3") << "the list's choice selects its row";

    ASSERT_TRUE(table->model()->setData(table->model()->index(0, 1), QStringLiteral("Fast")));
    EXPECT_EQ(list()->item(7)->text(), "Fast");
    EXPECT_EQ(txt(0)->text(), "Fast");
    EXPECT_TRUE(window().isWindowModified());
    steps()->undo();
    EXPECT_EQ(list()->item(7)->text(), "Boot 7");

    find<QLineEdit>("txtTableFilter")->setText(QStringLiteral("boot 1"));
    EXPECT_EQ(table->model()->rowCount(), 11); // Boot 1 and Boot 10 to Boot 19
    EXPECT_EQ(list()->count(), 20);
}

TEST_F(BootsTableWindow, StatisticCellTakesEveryDigitTypedAndSaysWhatItStored)
{
    table->setCurrentIndex(table->model()->index(1, kShotPower)); // boot 1
    QTest::keyClick(table, Qt::Key_3);
    auto *editor = table->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr) << "typing opens the cell's editor";
    QTest::keyClicks(editor, QStringLiteral("00")); // the editor has the focus now
    EXPECT_EQ(editor->text(), "300") << "no digit is dropped";
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits a cell's editor on the next turn
    EXPECT_EQ(window().database().records()[1].Sila, 5);
    EXPECT_EQ(shown(1, kShotPower), "5");
    EXPECT_EQ(window().statusBar()->currentMessage(),
              QString::fromUtf8("Adjusted to the fields' limits: Shot Power: 300 \u2192 5"));
    EXPECT_EQ(steps()->undoText(), "Change Shot Power");
}

TEST_F(BootsTableWindow, TabLeavesTheTableAndCtrlTCarriesTheKeyboard)
{
    const int last = table->model()->rowCount() - 1;
    table->setCurrentIndex(table->model()->index(last, kShotPower));
    QTest::keyClick(table, Qt::Key_4);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // in the cell's editor
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(last, kShotPower), "4");
    EXPECT_EQ(QApplication::focusWidget(), table) << "Tab in an editor stays on its cell";
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ControlModifier}) {
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Tab, modifiers);
        EXPECT_NE(QApplication::focusWidget(), table) << "modifiers " << modifiers;
        EXPECT_EQ(window().document().currentBoot(), last) << "no wrap to another boot";
    }
    table->setFocus();
    find<QAction>("mnuTable")->trigger();
    EXPECT_EQ(QApplication::focusWidget(), list());
    find<QAction>("mnuTable")->trigger();
    EXPECT_EQ(QApplication::focusWidget(), table);
}

TEST_F(BootsTableWindow, SelectedRowsChangeTheirTickedStatisticsInOneStep)
{
    auto *R3 = find<QRadioButton>("R3");
    EXPECT_FALSE(R3->isEnabled());
    clickRow(10);
    clickRow(14, Qt::ShiftModifier);
    ASSERT_TRUE(R3->isEnabled());
    R3->click();
    find<QCheckBox>("Ch2")->setChecked(false);
    find<QLineEdit>("Over")->setText(QStringLiteral("2"));
    find<QPushButton>("cmdChange")->click();

    auto expected = records;
    for (int r = 10; r <= 14; ++r) {
        auto &boot = expected[static_cast<std::size_t>(r)];
        boot.Sila = boot.Przyspieszenie = boot.Szybkosc = boot.Podkrecanie = 2;
    }
    EXPECT_EQ(window().database().records(), expected);
    EXPECT_EQ(steps()->count(), 1);

    find<QAction>("mnuTable")->trigger(); // hidden: its rows are no choice any more
    EXPECT_FALSE(R3->isEnabled());
    EXPECT_TRUE(find<QRadioButton>("R1")->isChecked());
}

TEST_F(BootsTableWindow, SelectedRowsAreTheDocumentsSelectedBoots)
{
    BootsDocument &document = window().document();
    clickRow(2);
    clickRow(5, Qt::ControlModifier);
    EXPECT_EQ(document.selectedBoots(), (std::vector<int>{2, 5}));
    EXPECT_EQ(document.currentBoot(), 5);
    EXPECT_EQ(list()->currentRow(), 5);
    EXPECT_EQ(txt(0)->text(), "Boot 5");
    select(2); // a boot of the selection: the rows stay selected
    EXPECT_EQ(document.selectedBoots(), (std::vector<int>{2, 5}));
    EXPECT_EQ(table->selectionModel()->selectedRows().size(), 2);
    EXPECT_EQ(shown(table->currentIndex().row(), 0), "2");
    select(7);
    EXPECT_EQ(document.selectedBoots(), std::vector<int>{7});
    EXPECT_EQ(table->selectionModel()->selectedRows().size(), 1);
    clickRow(3);
    clickRow(4, Qt::ShiftModifier);
    find<QLineEdit>("txtTableFilter")->setText(QStringLiteral("boot 4"));
    EXPECT_EQ(document.selectedBoots(), std::vector<int>{4}) << "rows filtered out are no choice";
    open(game);
    EXPECT_TRUE(table->selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(document.currentBoot(), -1);
}

TEST_F(BootsTableWindow, CopyAndPasteGoThroughTheClipboard)
{
    clickRow(1);
    clickRow(2, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "#\tBoots Name\tProducent\tMaterial Name\tColor Name\tShot Power\tShot Accuracy\t"
              "Acceleration\tTop Speed\tSwerve\n"
              "1\tBoot 1\tNike\tMaterial 1\tColour 1\t2\t3\t4\t5\t1\n"
              "2\tBoot 2\tPuma\tMaterial 2\tColour 2\t3\t4\t5\t1\t2\n");

    table->setCurrentIndex(table->model()->index(4, 8));
    QApplication::clipboard()->setText(QStringLiteral("Top Speed\tSwerve\n0\t255\n7\t8\n"));
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
    auto expected = records;
    expected[4].Szybkosc = 0;
    expected[4].Podkrecanie = 255;
    expected[5].Szybkosc = 7;
    expected[5].Podkrecanie = 8;
    EXPECT_EQ(window().database().records(), expected);
    EXPECT_EQ(steps()->count(), 1);
    EXPECT_EQ(steps()->undoText(), "Paste");

    QApplication::clipboard()->setText(QStringLiteral("x9"));
    answer.message();
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(answer.names, QStringList({"pasteProblemsMessage"}));
    EXPECT_EQ(window().database().records(), expected);
    EXPECT_EQ(steps()->count(), 1);

    answer.message();
    ASSERT_TRUE(window().save());
    EXPECT_EQ(recordsOf(game), expected);
}

} // namespace
