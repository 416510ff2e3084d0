#include "MainWindowFixture.h"

#include <QAction>
#include <QStatusBar>
#include <QTest>

namespace {

class RecordEditor : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        records = TestData::boots(6);
        records[2].nowe = 513;
        records[3].nowe = 0;
        records[4].ID = -7;
        game = writeGame(records);
        open(game);
    }

    void typeInto(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        if (text.isEmpty())
            field->clear();
        else
            QTest::keyClicks(field, text);
    }

    std::vector<BootRecord> records;
    QString game;
};

TEST_F(RecordEditor, SelectingFillsTheFieldsAndWritesNothing)
{
    select(1);
    EXPECT_EQ(txt(0)->text(), "Boot 1");
    EXPECT_EQ(txt(1)->text(), "Material 1");
    EXPECT_EQ(txt(2)->text(), "Colour 1");
    EXPECT_EQ(txt(3)->text(), "2");
    EXPECT_EQ(txt(4)->text(), "3");
    EXPECT_EQ(txt(5)->text(), "4");
    EXPECT_EQ(txt(6)->text(), "5");
    EXPECT_EQ(txt(7)->text(), "1");
    EXPECT_EQ(txt(8)->text(), "258");
    EXPECT_EQ(find<QComboBox>("Combo")->currentText(), "Nike");
    EXPECT_EQ(find<QLabel>("Lbl(0)")->text(), "# Index: 6");
    EXPECT_EQ(find<QLabel>("Lbl(1)")->text(), "# ID      : 1");
    select(4);
    EXPECT_EQ(find<QLabel>("Lbl(1)")->text(), "# ID      : -7");
    EXPECT_FALSE(window().hasUnsavedEdits());
    EXPECT_EQ(window().database().records(), records);
}

TEST_F(RecordEditor, ManufacturerCodesAndNames)
{
    select(2); // code 513
    EXPECT_EQ(txt(8)->text(), "513");
    EXPECT_EQ(find<QComboBox>("Combo")->currentText(), "Adidas");
    select(3); // code 0: no name, the box keeps "Adidas"
    EXPECT_EQ(find<QComboBox>("Combo")->currentText(), "Adidas");
    select(2);
    QComboBox *combo = find<QComboBox>("Combo");
    combo->setCurrentIndex(combo->findText("Adidas"));
    emit combo->activated(combo->currentIndex());
    EXPECT_EQ(txt(8)->text(), "257");
    EXPECT_EQ(window().database().Get_nowe(2), 257);
    combo->setCurrentIndex(combo->findText("Mizuno"));
    emit combo->activated(combo->currentIndex());
    EXPECT_EQ(window().database().Get_nowe(2), 294);
}

TEST_F(RecordEditor, StatusBarNamesWhatStoringChangedAndTheFieldsKeepTheirText)
{
    records[5].Sila = 7; // brought in by a file
    open(writeGame(records, QStringLiteral("other.bin")));
    select(5);
    typeInto(txt(2), QStringLiteral("Gold"));
    EXPECT_EQ(window().database().records()[5].Sila, 5) << "the whole record is written";
    EXPECT_EQ(window().statusBar()->currentMessage(),
              QString::fromUtf8("Adjusted to the fields' limits: Shot Power: 7 \u2192 5"));
    EXPECT_EQ(txt(3)->text(), "7");

    typeInto(txt(7), QStringLiteral("300"));
    EXPECT_EQ(window().database().Get_Podkrecanie(5), 5);
    EXPECT_EQ(txt(7)->text(), "300");
    EXPECT_EQ(window().statusBar()->currentMessage(),
              QString::fromUtf8("Adjusted to the fields' limits: Swerve: 300 \u2192 5"));
}

TEST_F(RecordEditor, LongNameIsCutAndTheListFollows)
{
    select(3);
    const QString longName(70, QLatin1Char('x'));
    txt(0)->setText(longName);
    EXPECT_EQ(txt(0)->text(), longName);
    EXPECT_EQ(window().database().Get_Nazwa(3), std::string(60, 'x'));
    EXPECT_EQ(list()->item(3)->text(), QString(60, QLatin1Char('x')));
    EXPECT_EQ(list()->currentRow(), 3);
    EXPECT_TRUE(list()->item(3)->isSelected());
    EXPECT_TRUE(window().hasUnsavedEdits());
}

TEST_F(RecordEditor, CharactersOutsideTheCodePageBecomeTheirBaseLetterOrOneQuestionMark)
{
    select(0);
    txt(0)->setText(QString::fromUtf8("Żółw 日本 é"));
    EXPECT_EQ(window().database().Get_Nazwa(0), "Z\xF3lw ?? \xE9");
    EXPECT_EQ(list()->item(0)->text(), QString::fromUtf8("Zólw ?? é"));
}

TEST_F(RecordEditor, ChangingOneFieldRewritesTheWholeRecordFromTheFields)
{
    select(5);
    txt(3)->blockSignals(true);
    txt(3)->setText("1"); // shown, not yet stored
    txt(3)->blockSignals(false);
    txt(2)->setText("Gold");
    const BootRecord &r = window().database().records()[5];
    EXPECT_EQ(r.Kolor, "Gold");
    EXPECT_EQ(r.Sila, 1);
    EXPECT_EQ(r.Nazwa, "Boot 5");
    EXPECT_EQ(r.Pole5, records[5].Pole5);
    EXPECT_EQ(r.Kolej, records[5].Kolej);
    EXPECT_EQ(r.ID, records[5].ID);
}

TEST_F(RecordEditor, EditsStayInMemoryUntilSave)
{
    const TestData::Bytes before = TestData::readFile(game.toStdString());
    const TestData::Bytes working = TestData::readFile(programFile("temp.bin"));
    select(0);
    txt(0)->setText("Memory only");
    EXPECT_EQ(TestData::readFile(game.toStdString()), before);
    EXPECT_EQ(TestData::readFile(programFile("temp.bin")), working);
}

TEST_F(RecordEditor, ValueFieldIsCappedAtFiveWhileTyping)
{
    QLineEdit *over = find<QLineEdit>("Over");
    typeInto(over, "7");
    EXPECT_EQ(over->text(), "5");
    typeInto(over, "3.5");
    EXPECT_EQ(over->text(), "3.5");
    typeInto(over, "abc");
    EXPECT_EQ(over->text(), "abc");
    over->setText("");
    EXPECT_EQ(over->text(), "");
}

TEST_F(RecordEditor, ValueFieldKeepsItsOwnUndoKey)
{
    select(1);
    typeInto(txt(1), QStringLiteral("Edited"));
    QLineEdit *over = find<QLineEdit>("Over");
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    over->setFocus();
    typeInto(over, QStringLiteral("3"));
    QTest::keyClick(over, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(over->text(), "5") << "the field's own undo";
    EXPECT_EQ(txt(1)->text(), "Edited") << "the boot's edit stays";
    EXPECT_TRUE(window().hasUnsavedEdits());
}

TEST_F(RecordEditor, RadioButtonsEnableTheBoxesWithoutTouchingTicks)
{
    find<QCheckBox>("Ch2")->setChecked(false);
    find<QRadioButton>("R2")->click();
    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(find<QCheckBox>(QStringLiteral("Ch%1").arg(k))->isEnabled());
    EXPECT_FALSE(find<QCheckBox>("Ch2")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("Ch1")->isChecked());
    find<QRadioButton>("R1")->click();
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(find<QCheckBox>(QStringLiteral("Ch%1").arg(k))->isEnabled());
    EXPECT_FALSE(find<QCheckBox>("Ch2")->isChecked());
}

TEST_F(RecordEditor, OnlySelectedSetsTheTickedStatistics)
{
    select(1); // 2 3 4 5 1
    for (int k : {1, 2, 3, 5})
        find<QCheckBox>(QStringLiteral("Ch%1").arg(k))->setChecked(false);
    find<QLineEdit>("Over")->setText("3.5");
    find<QPushButton>("cmdChange")->click();
    const BootRecord &r = window().database().records()[1];
    EXPECT_EQ(r.Szybkosc, 4) << "Top Speed gets 3.5 rounded half to even";
    EXPECT_EQ(r.Sila, 2);
    EXPECT_EQ(r.Precyzja, 3);
    EXPECT_EQ(r.Przyspieszenie, 4);
    EXPECT_EQ(r.Podkrecanie, 1);
    EXPECT_EQ(txt(6)->text(), "3.5");
    EXPECT_EQ(window().database().records()[0], records[0]);
}

TEST_F(RecordEditor, OnlySelectedWithNothingTickedStoresNothing)
{
    records[5].Sila = 0; // stored from the fields, it would become 1
    open(writeGame(records, QStringLiteral("other.bin")));
    select(5);
    for (int k = 1; k <= 5; ++k)
        find<QCheckBox>(QStringLiteral("Ch%1").arg(k))->setChecked(false);
    find<QLineEdit>("Over")->setText("3");
    find<QPushButton>("cmdChange")->click();
    EXPECT_EQ(window().database().records(), records);
    EXPECT_FALSE(window().hasUnsavedEdits());
    EXPECT_FALSE(find<QAction>("mnuUndo")->isEnabled());
}

TEST_F(RecordEditor, OnlySelectedWithoutASelectionDoesNothing)
{
    find<QPushButton>("cmdChange")->click();
    EXPECT_EQ(window().database().records(), records);
    EXPECT_EQ(txt(3)->text(), "");
}

TEST_F(RecordEditor, AllWritesEveryStatisticOfEveryBoot)
{
    select(2);
    txt(1)->setText("Edited material");
    find<QLineEdit>("Over")->setText("3");
    find<QRadioButton>("R2")->click();
    find<QCheckBox>("Ch1")->setChecked(false); // plays no part
    find<QPushButton>("cmdChange")->click();

    Baza working;
    ASSERT_TRUE(working.Wczytaj(programFile("temp.bin")));
    for (std::uint8_t i = 0; i < 6; ++i) {
        EXPECT_EQ(working.Get_Sila(i), 3);
        EXPECT_EQ(working.Get_Precyzja(i), 3);
        EXPECT_EQ(working.Get_Przyspieszenie(i), 3);
        EXPECT_EQ(working.Get_Szybkosc(i), 3);
        EXPECT_EQ(working.Get_Podkrecanie(i), 3);
        EXPECT_EQ(working.Get_Kolej(i), records[i].Kolej);
    }
    EXPECT_EQ(working.Get_NazwaMaterialu(2), "Edited material");
    EXPECT_EQ(list()->count(), 6);
    ASSERT_EQ(list()->selectedItems().size(), 1) << "the boot that edits go to stays selected";
    EXPECT_EQ(list()->row(list()->selectedItems().constFirst()), 2);
    for (int k = 3; k <= 7; ++k)
        EXPECT_EQ(txt(k)->text(), "3");
    EXPECT_EQ(txt(1)->text(), "Edited material");
    EXPECT_EQ(window().database().Get_Sila(4), 3);
    EXPECT_TRUE(window().hasUnsavedEdits());
    EXPECT_EQ(recordsOf(game), records) << "the game file changes only on Save";

    answer.message();
    ASSERT_TRUE(window().save());
    EXPECT_EQ(recordsOf(game)[5].Podkrecanie, 3);
}

TEST_F(RecordEditor, AllWithANegativeValueStoresOneAndSaysSo)
{
    select(0);
    find<QLineEdit>("Over")->setText("-2");
    find<QRadioButton>("R2")->click();
    find<QPushButton>("cmdChange")->click();
    for (std::uint8_t i = 0; i < 6; ++i)
        EXPECT_EQ(window().database().Get_Precyzja(i), 1);
    EXPECT_EQ(window().statusBar()->currentMessage(),
              QString::fromUtf8("Adjusted to the fields' limits: Value: -2 \u2192 1"));
}

} // namespace
