#include "MainWindowFixture.h"

#include "app/windows/frmCreateLanguage.h"
#include "language/Ini.h"
#include "language/Languages.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class LanguageEditor : public MainWindowFixture
{
protected:
    frmCreateLanguage *editor()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *e = qobject_cast<frmCreateLanguage *>(w); e && e->isVisible())
                return e;
        }
        return nullptr;
    }

    QLineEdit *field(int i)
    {
        return editor()->findChild<QLineEdit *>(QStringLiteral("txt(%1)").arg(i));
    }

    frmCreateLanguage *openEditor()
    {
        find<QPushButton>("cmdCreate")->click();
        return editor();
    }

    std::string fileText(const std::string &path)
    {
        const auto bytes = TestData::readFile(path);
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(LanguageEditor, OpensInPlaceOfTheMainWindowAndGivesItBack)
{
    window();
    frmCreateLanguage *e = openEditor();
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(e->windowTitle(), "");
    e->close();
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(editor(), nullptr);
    frmCreateLanguage *again = openEditor();
    ASSERT_NE(again, nullptr);
    for (int i = 0; i <= 30; ++i)
        EXPECT_EQ(field(i)->text(), "") << "a new opening starts empty";
    again->close();
}

TEST_F(LanguageEditor, HasTheMockUpsFieldsAndNesting)
{
    window();
    frmCreateLanguage *e = openEditor();
    ASSERT_NE(e, nullptr);
    auto holder = [&](const QString &name) {
        QWidget *w = e->findChild<QWidget *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        QWidget *p = w ? w->parentWidget() : nullptr;
        while (p && !qobject_cast<QGroupBox *>(p))
            p = p->parentWidget();
        return p ? p->objectName() : QString();
    };
    for (int n = 1; n <= 20; ++n)
        EXPECT_EQ(holder(QStringLiteral("txt(%1)").arg(n - 1)),
                  QStringLiteral("GroupBox%1").arg(n));
    EXPECT_EQ(holder("txt(20)"), "GroupBox21");
    EXPECT_EQ(holder("GroupBox21"), "GroupBox13");
    EXPECT_EQ(holder("GroupBox22"), "GroupBox15");
    EXPECT_EQ(holder("GroupBox23"), "GroupBox15");
    EXPECT_EQ(holder("GroupBox24"), "GroupBox20");
    EXPECT_EQ(holder("txt(24)"), "GroupBox30");
    EXPECT_EQ(holder("txt(25)"), "GroupBox31");
    EXPECT_EQ(holder("txt(26)"), "GroupBox26");
    EXPECT_EQ(holder("GroupBox26"), "GroupBox25");
    EXPECT_EQ(holder("txt(27)"), "GroupBox13");
    EXPECT_EQ(holder("txt(29)"), "GroupBox28");
    EXPECT_EQ(holder("txt(30)"), "GroupBox29");
    EXPECT_EQ(holder("GroupBox28"), "GroupBox27");
    EXPECT_EQ(holder("TabControl1"), "GroupBox27");
    EXPECT_EQ(holder("GroupBox14"), "GroupBox13");
    EXPECT_EQ(holder("GroupBox13"), "GroupBox12");
    EXPECT_EQ(holder("GroupBox12"), "GroupBox6");
    EXPECT_EQ(holder("GroupBox16"), "GroupBox6");
    EXPECT_EQ(holder("GroupBox6"), "GroupBox2");
    EXPECT_EQ(holder("GroupBox19"), "GroupBox18");
    EXPECT_EQ(holder("cmdLoad"), "GroupBox32");
    EXPECT_EQ(holder("GroupBox32"), "GroupBox25");
    EXPECT_EQ(holder("R1"), "GroupBox13");
    EXPECT_FALSE(e->findChild<QWidget *>("R1")->isEnabled());
    auto *tabs = e->findChild<QTabWidget *>("TabControl1");
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "Menu");
    EXPECT_EQ(e->findChild<QGroupBox *>("GroupBox22")->title(), "Buttons");
    EXPECT_EQ(e->findChild<QGroupBox *>("GroupBox7")->title(), "GroupBox7");
    e->close();
}

TEST_F(LanguageEditor, CreateIsEnabledExactlyWhileTheNameIsNotEmpty)
{
    window();
    frmCreateLanguage *e = openEditor();
    auto *create = e->findChild<QPushButton *>("cmdCreate");
    EXPECT_FALSE(create->isEnabled());
    QTest::keyClicks(field(26), "X");
    EXPECT_TRUE(create->isEnabled());
    QTest::keyClick(field(26), Qt::Key_Backspace);
    EXPECT_FALSE(create->isEnabled());
    field(3)->setText("other field");
    EXPECT_FALSE(create->isEnabled());
    e->close();
}

TEST_F(LanguageEditor, CreatingANewLanguageWritesAllKeysInTableOrder)
{
    window();
    frmCreateLanguage *e = openEditor();
    for (const auto &k : Languages::keys())
        field(k.editorField)->setText(QStringLiteral("v%1").arg(k.editorField));
    field(13)->clear(); // empty values are written too
    field(26)->setText("Nowy");
    e->findChild<QPushButton *>("cmdCreate")->click();
    std::string expected = "[GroupBox]\r\n";
    for (int n = 1; n <= 20; ++n)
        expected += "GroupBox" + std::to_string(n) + "=" +
                    (n == 14 ? "" : "v" + std::to_string(n - 1)) + "\r\n";
    expected += "[Radio]\r\nR1=v27\r\nR2=v28\r\n[Buttons]\r\ncmdOpenT=v21\r\ncmdOpent2=v22\r\n"
                "cmdChange=v20\r\ncmdCreate=v23\r\n[Menu]\r\nFile=v29\r\nmnuOpen=v24\r\n"
                "mnuSave=v25\r\nAbout=v30\r\n";
    // The 30 captions come first; the texts of the second page follow.
    EXPECT_EQ(fileText(programFile("Language/Nowy/LNG.ini")).substr(0, expected.size()), expected);
    EXPECT_EQ(field(0)->text(), "v0") << "the fields keep their texts";
    EXPECT_TRUE(e->isVisible());
    QComboBox *box = find<QComboBox>("ComboBox");
    EXPECT_EQ(box->findText("Nowy"), -1) << "listed only from the next start";
    e->close();

    frmMain next(QString::fromStdString(programDir.path()));
    EXPECT_GE(next.findChild<QComboBox *>("ComboBox")->findText("Nowy"), 0);
}

TEST_F(LanguageEditor, EditingAnExistingLanguageKeepsItsOtherContent)
{
    fs::create_directory(programFile("Language/Mine"));
    const std::string file = programFile("Language/Mine/LNG.ini");
    TestData::writeFile(file, TestData::Bytes{});
    WriteIni(file, "Extra", "Note", "keep me");
    WriteIni(file, "Menu", "About", "old");
    window();
    frmCreateLanguage *e = openEditor();
    e->loadLanguage(QString::fromStdString(file));
    EXPECT_EQ(field(30)->text(), "old");
    field(30)->setText("new");
    field(26)->setText("Mine");
    ASSERT_TRUE(e->createLanguage());
    EXPECT_EQ(ReadIni(file, "Extra", "Note"), "keep me");
    EXPECT_EQ(ReadIni(file, "Menu", "About"), "new");
    EXPECT_EQ(fileText(file).find("[Extra]"), 0u);
    e->close();
}

TEST_F(LanguageEditor, CreateOverALanguageKeepsTheMessagesLeftEmpty)
{
    fs::create_directory(programFile("Language/Mine"));
    const std::string file = programFile("Language/Mine/LNG.ini");
    WriteIni(file, "Menu", "Quit", "Koniec");
    WriteIni(file, "Messages", "SaveQuestion", "Zapisac?");
    WriteIni(file, "Messages", "ReadOnly", "Tylko do odczytu");
    window();
    frmCreateLanguage *e = openEditor();
    e->findChild<QLineEdit *>("txtText(13)")->setText("Zapisac zmiany?"); // SaveQuestion
    field(26)->setText("Mine");
    ASSERT_TRUE(e->createLanguage());
    EXPECT_EQ(ReadIni(file, "Messages", "SaveQuestion"), "Zapisac zmiany?");
    EXPECT_EQ(ReadIni(file, "Menu", "Quit"), "Koniec");
    EXPECT_EQ(ReadIni(file, "Messages", "ReadOnly"), "Tylko do odczytu");
    EXPECT_EQ(fileText(file).find("UnsavedChanges="), std::string::npos);
    EXPECT_NE(fileText(file).find("GroupBox14=\r\n"), std::string::npos) << "captions: all 30";
    e->close();
}

TEST_F(LanguageEditor, LoadingFillsTheKeyFieldsButNotTheName)
{
    const std::string file = gameDir.file("LNG.ini");
    TestData::writeFile(file, {});
    WriteIni(file, "Buttons", "cmdOpent2", "Second");
    WriteIni(file, "GroupBox", "GroupBox1", "Lista");
    window();
    frmCreateLanguage *e = openEditor();
    field(13)->setText("will be emptied");
    answer.file(QString::fromStdString(file));
    e->findChild<QPushButton *>("cmdLoad")->click();
    EXPECT_EQ(answer.names.value(0), "CDLng");
    EXPECT_EQ(answer.texts.value(0), "LNG.ini (LNG.ini)");
    EXPECT_EQ(field(22)->text(), "Second");
    EXPECT_EQ(field(0)->text(), "Lista");
    EXPECT_EQ(field(13)->text(), "");
    EXPECT_EQ(field(26)->text(), "");
    EXPECT_FALSE(e->findChild<QPushButton *>("cmdCreate")->isEnabled());

    answer.file(QString());
    e->findChild<QPushButton *>("cmdLoad")->click();
    EXPECT_EQ(field(22)->text(), "Second") << "a cancelled dialog changes nothing";
    e->close();
}

TEST_F(LanguageEditor, NamesOutsideTheLanguageFolderAreRefused)
{
    window();
    frmCreateLanguage *e = openEditor();
    field(0)->setText("x");
    for (const char *bad : {"../escape", "..", "a/b"}) {
        field(26)->setText(QString::fromLatin1(bad));
        answer.message();
        e->findChild<QPushButton *>("cmdCreate")->click();
    }
    EXPECT_EQ(answer.names, QStringList({"nameMessage", "nameMessage", "nameMessage"}));
    EXPECT_EQ(programDir.listing(), "Language cleatwork.lock") << "the running copy's lock only";
    EXPECT_FALSE(fs::exists(programFile("escape")));
    EXPECT_FALSE(fs::exists(programFile("LNG.ini")));
    e->close();
}

TEST_F(LanguageEditor, NameTheConfigurationCannotStoreCreatesNothing)
{
    window();
    frmCreateLanguage *e = openEditor();
    field(26)->setText(QString::fromUtf8("Čeština"));
    answer.message();
    EXPECT_FALSE(e->createLanguage());
    EXPECT_EQ(answer.names, QStringList({"nameMessage"}));
    EXPECT_TRUE(answer.texts.value(0).contains(QString::fromUtf8("\"Ceština\"")));
    EXPECT_FALSE(fs::exists(programFile("Language/Čeština")));
    EXPECT_FALSE(fs::exists(programFile("Language/Ceština")));
    e->close();
}

TEST_F(LanguageEditor, TypedTextsAreStoredWithBestFitAndTheMessagesFollowTheCaptions)
{
    window();
    frmCreateLanguage *e = openEditor();
    EXPECT_LE(e->minimumSizeHint().width(), 1000);
    EXPECT_LE(e->minimumSizeHint().height(), 700);
    auto *quit = e->findChild<QLineEdit *>("txtText(0)");
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->placeholderText(), "Quit") << "the English text guides the translator";
    EXPECT_EQ(field(0)->toolTip(), "List Boots");
    field(0)->setText(QString::fromUtf8("Łódź"));
    quit->setText(QString::fromUtf8("Zakończ"));
    field(26)->setText("Nowy");
    answer.message();
    ASSERT_TRUE(e->createLanguage());
    EXPECT_EQ(answer.names, QStringList({"replacedMessage"}));
    EXPECT_EQ(field(0)->text(), QString::fromUtf8("Lódz")) << "the field shows what was stored";
    const std::string text = fileText(programFile("Language/Nowy/LNG.ini"));
    EXPECT_NE(text.find("GroupBox1=L\xF3"
                        "dz\r\n"),
              std::string::npos);
    EXPECT_GT(text.find("Quit=Zakoncz\r\n"), text.find("About="));
    EXPECT_GT(text.find("[Messages]"), text.find("Quit="));
    e->close();
}

TEST_F(LanguageEditor, FailedWriteIsReported)
{
    fs::remove_all(programFile("Language"));
    window();
    frmCreateLanguage *e = openEditor();
    field(26)->setText("Lost");
    answer.message();
    EXPECT_FALSE(e->createLanguage());
    EXPECT_EQ(answer.names, QStringList({"writeMessage"}));
    e->close();
}

} // namespace
