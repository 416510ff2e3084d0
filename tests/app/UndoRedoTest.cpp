#include "CaseName.h"
#include "MainWindowFixture.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

class UndoRedo : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        records = TestData::boots(5);
        records[1].Precyzja = 0; // kept through every edit of another field
        game = writeGame(records);
        original = TestData::readFile(game.toStdString());
        open(game);
    }

    QAction *action(const char *name) { return find<QAction>(QString::fromLatin1(name)); }
    void change(const char *scope, const char *value)
    {
        find<QRadioButton>(QString::fromLatin1(scope))->click();
        find<QLineEdit>("Over")->setText(QString::fromLatin1(value));
        find<QPushButton>("cmdChange")->click();
    }

    std::vector<BootRecord> records;
    QString game;
    TestData::Bytes original;
};

TEST_F(UndoRedo, FiveStepsUndoneSaveTheOriginalBytesAndRedoneComeBack)
{
    select(1);
    QTest::keyClicks(txt(0), " new"); // one step however many keys
    txt(3)->setText("4");
    QComboBox *combo = find<QComboBox>("Combo");
    combo->setCurrentIndex(combo->findText("Puma"));
    emit combo->activated(combo->currentIndex());
    change("R1", "2");
    change("R2", "3");
    const std::vector<BootRecord> edited = window().database().records();
    EXPECT_TRUE(window().isWindowModified());

    const char *const steps[] = {"Change Statistics of All Boots", "Change Statistics",
                                 "Change Manufacturer", "Change Shot Power", "Change Boots Name"};
    for (const char *step : steps) {
        EXPECT_EQ(action("mnuUndo")->text(), QStringLiteral("Undo ") + QString::fromLatin1(step));
        action("mnuUndo")->trigger();
        EXPECT_EQ(list()->currentRow(), 1) << "undo shows the boot it changed";
    }
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
    EXPECT_FALSE(window().isWindowModified()) << "back at the saved state";
    EXPECT_EQ(txt(0)->text(), "Boot 1");
    EXPECT_EQ(window().database().records(), records);

    answer.message();
    ASSERT_TRUE(window().save());
    EXPECT_EQ(TestData::readFile(game.toStdString()), original);

    for (int i = 0; i < 5; ++i)
        action("mnuRedo")->trigger();
    EXPECT_FALSE(action("mnuRedo")->isEnabled());
    EXPECT_EQ(window().database().records(), edited);
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(list()->item(1)->text(), "Boot 1 new");
}

struct ValueCase
{
    const char *name;
    const char *scope;
    const char *value;
    int stored; ///< Shot Accuracy of boot 1 afterwards
};

class ChangeWithTheShownValue : public UndoRedo, public testing::WithParamInterface<ValueCase>
{
};

TEST_P(ChangeWithTheShownValue, RunsTheStatisticsRule)
{
    select(1);
    // The field already shows the value, so setting it changes no text.
    txt(4)->blockSignals(true);
    txt(4)->setText(QString::fromLatin1(GetParam().value));
    txt(4)->blockSignals(false);
    change(GetParam().scope, GetParam().value);
    EXPECT_EQ(window().database().Get_Precyzja(1), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ChangeWithTheShownValue,
    testing::Values(ValueCase{"OnlySelectedStoresZeroAsOne", "R1", "0", 1},
                    ValueCase{"AllStoresZeroAsOneForTheSelectedBoot", "R2", "0", 1},
                    ValueCase{"AllStoresATextThatIsNoNumberAsOne", "R2", "9x", 1},
                    ValueCase{"AllStoresAnEmptyValueAsOne", "R2", "", 1}),
    CaseName::by([](const auto &c) { return std::string(c.name); }));

TEST_F(UndoRedo, FieldsWaitForABootAndADropOpensAfterItReturns)
{
    EXPECT_FALSE(txt(0)->isEnabled());
    EXPECT_FALSE(find<QComboBox>("Combo")->isEnabled());
    EXPECT_TRUE(find<QLineEdit>("Over")->isEnabled());
    select(0);
    EXPECT_TRUE(txt(0)->isEnabled());

    const QString second = writeGame(TestData::boots(2), "second.bin");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(second)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list()->viewport(), &enter);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list()->viewport(), &event);
    EXPECT_TRUE(event.isAccepted());
    EXPECT_EQ(openGame(), game) << "nothing opens inside the drop";
    QCoreApplication::processEvents();
    EXPECT_EQ(openGame(), second);
}

} // namespace
