#include "MainWindowFixture.h"

#include "common/FileIo.h"
#include "language/Ini.h"
#include "language/Languages.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class LanguageWindow : public MainWindowFixture
{
protected:
    // The caption of every captioned control as shown (without its mnemonic), in the order
    // of the key table; the check boxes last.
    QStringList captions()
    {
        QStringList out;
        for (const auto &k : Languages::keys()) {
            const QString name = QString::fromLatin1(k.control);
            if (auto *box = mWindow->findChild<QGroupBox *>(name))
                out << Mnemonics::plain(box->title());
            else if (auto *button = mWindow->findChild<QAbstractButton *>(name))
                out << Mnemonics::plain(button->text());
            else if (auto *menu = mWindow->findChild<QMenu *>(name))
                out << Mnemonics::plain(menu->title());
            else if (auto *action = mWindow->findChild<QAction *>(name))
                out << Mnemonics::plain(action->text());
            else
                out << "<missing " + name + ">";
        }
        for (int k = 1; k <= 5; ++k)
            out << Mnemonics::plain(find<QCheckBox>(QStringLiteral("Ch%1").arg(k))->text());
        return out;
    }

    QStringList captionsOf(const std::string &language)
    {
        QStringList out;
        const std::string file = Languages::languageFile(programDir.path(), language);
        for (const auto &k : Languages::keys())
            out << QString::fromStdString(ReadIniText(file, k.section, k.key));
        for (int k = 7; k <= 11; ++k)
            out << QString::fromStdString(
                ReadIniText(file, "GroupBox", "GroupBox" + std::to_string(k)));
        return out;
    }

    void pick(const QString &language)
    {
        QComboBox *box = find<QComboBox>("ComboBox");
        const int i = box->findText(language);
        ASSERT_GE(i, 0) << language.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }

    std::string configFile() { return Languages::configFile(programDir.path()); }

    // The captions of the window's design, which English also gives.
    static QStringList design()
    {
        QStringList out;
        for (const auto &k : Languages::keys())
            out << QString::fromLatin1(k.caption);
        return out << "Shot Power"
                   << "Shot Accuracy"
                   << "Acceleration"
                   << "Top Speed"
                   << "Swerve";
    }
};

TEST_F(LanguageWindow, FreshStartShowsTheEnglishDesignCaptions)
{
    window();
    EXPECT_EQ(captions(), design());
    QComboBox *box = find<QComboBox>("ComboBox");
    EXPECT_EQ(box->currentText(), "English");
    QStringList listed;
    for (int i = 0; i < box->count(); ++i)
        listed << box->itemText(i);
    EXPECT_EQ(listed, QStringList({"Deutsch", "English", QString::fromUtf8("Español"),
                                   QString::fromUtf8("Français"), "Italiano", "Polski",
                                   QString::fromUtf8("Português")}));
}

TEST_F(LanguageWindow, ConfiguredLanguageIsAppliedAtStart)
{
    WriteIni(configFile(), "Config", "Language", "Deutsch");
    window();
    EXPECT_EQ(captions(), captionsOf("Deutsch"));
    EXPECT_EQ(find<QGroupBox>("GroupBox1")->title(), "Schuhliste");
    EXPECT_EQ(Mnemonics::plain(find<QCheckBox>("Ch5")->text()),
              find<QGroupBox>("GroupBox11")->title());
}

TEST_F(LanguageWindow, DeletedLanguageFolderEmptiesEveryCaption)
{
    WriteIni(configFile(), "Config", "Language", "Deutsch");
    fs::remove_all(programFile("Language/Deutsch"));
    window();
    EXPECT_EQ(find<QComboBox>("ComboBox")->currentText(), "Deutsch");
    for (const QString &caption : captions())
        EXPECT_EQ(caption, "");
    QComboBox *box = find<QComboBox>("ComboBox");
    QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
    EXPECT_TRUE(box->view()->isVisible()) << "a click on the name opens the list";
    box->hidePopup();
    pick("English");
    EXPECT_EQ(find<QGroupBox>("GroupBox2")->title(), "Parameters");
    EXPECT_EQ(ReadIni(configFile(), "Config", "Language"), "English");
}

TEST_F(LanguageWindow, EmptyConfigurationGivesEmptyCaptions)
{
    fs::remove(programFile("Language/C"));
    window();
    EXPECT_EQ(find<QComboBox>("ComboBox")->currentText(), "");
    EXPECT_EQ(find<QGroupBox>("GroupBox7")->title(), "");
    EXPECT_EQ(find<QComboBox>("ComboBox")->count(), 7);
}

// A portable copy that lost its language folder speaks the program's own English and says why.
TEST_F(LanguageWindow, MissingLanguageFolderStartsInBuiltInEnglishAndSaysSo)
{
    fs::remove_all(programFile("Language"));
    window();
    EXPECT_EQ(find<QComboBox>("ComboBox")->count(), 0);
    EXPECT_EQ(captions(), design());
    EXPECT_EQ(find<QLabel>("Lbl(0)")->text(), "# Index:");
    const QString said = mWindow->statusBar()->currentMessage();
    EXPECT_TRUE(said.startsWith("No language files were found in ")) << said.toStdString();
    EXPECT_TRUE(said.contains(QDir::toNativeSeparators(
        QString::fromStdString(Languages::languageFolder(programDir.path())))))
        << said.toStdString();
    open(writeGame(TestData::boots(2)));
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(LanguageWindow, PickingALanguageAppliesAndRemembersIt)
{
    window();
    pick(QString::fromUtf8("Français"));
    EXPECT_EQ(captions(), captionsOf("Français"));
    EXPECT_EQ(find<QAction>("mnuSave")->text(), "Enregistrer");
    EXPECT_EQ(ReadIni(configFile(), "Config", "Language"), "Fran\xE7"
                                                           "ais");
    pick("Polski");
    EXPECT_EQ(captions(), captionsOf("Polski"));
    EXPECT_EQ(Languages::configuredLanguage(programDir.path()), "Polski");
}

TEST_F(LanguageWindow, LanguageTheConfigurationCannotStoreIsRefused)
{
    fs::create_directory(FileIo::toPath(programFile("Language/\xC4\x8C"
                                                    "e\xC5\xA1tina")));
    window();
    pick("Polski");
    const QStringList polish = captions();
    answer.message();
    pick(QString::fromUtf8("Čeština"));
    ASSERT_EQ(answer.names, QStringList{"languageMessage"});
    EXPECT_TRUE(answer.texts.value(0).contains(QString::fromUtf8("Čeština")))
        << answer.texts.value(0).toStdString();
    EXPECT_EQ(captions(), polish);
    EXPECT_EQ(find<QComboBox>("ComboBox")->currentText(), "Polski");
    EXPECT_EQ(ReadIni(configFile(), "Config", "Language"), "Polski");
}

TEST_F(LanguageWindow, LanguageWithoutFileIsStillRemembered)
{
    fs::create_directory(programFile("Language/Klingon"));
    window();
    pick("Klingon");
    EXPECT_EQ(find<QGroupBox>("GroupBox3")->title(), "");
    EXPECT_EQ(Languages::configuredLanguage(programDir.path()), "Klingon");
}

TEST_F(LanguageWindow, MissingKeyEmptiesOnlyItsCaption)
{
    fs::create_directory(programFile("Language/Partial"));
    const std::string file = programFile("Language/Partial/LNG.ini");
    TestData::writeFile(file, {});
    for (const auto &k : Languages::keys()) {
        if (std::string(k.key) != "GroupBox14")
            WriteIni(file, k.section, k.key, std::string("x") + k.key);
    }
    // The second texture button's key in an odd mix of cases.
    TestData::Bytes bytes = TestData::readFile(file);
    std::string text(bytes.begin(), bytes.end());
    text.replace(text.find("cmdOpenT2="), 10, "CMDopent2=");
    TestData::writeFile(file, TestData::Bytes(text.begin(), text.end()));
    WriteIni(configFile(), "Config", "Language", "Partial");
    window();
    EXPECT_EQ(find<QGroupBox>("GroupBox14")->title(), "");
    EXPECT_EQ(find<QGroupBox>("GroupBox13")->title(), "xGroupBox13");
    EXPECT_EQ(Mnemonics::plain(find<QPushButton>("cmdOpent2")->text()), "xcmdOpenT2");
}

TEST_F(LanguageWindow, Utf8FileWithByteOrderMarkShowsEveryCaption)
{
    fs::create_directory(programFile("Language/Utf8"));
    const TestData::Bytes ansi = TestData::readFile(programFile("Language/Deutsch/LNG.ini"));
    const std::string utf8 = "\xEF\xBB\xBF" + Ansi::toUtf8(std::string(ansi.begin(), ansi.end()));
    TestData::writeFile(programFile("Language/Utf8/LNG.ini"),
                        TestData::Bytes(utf8.begin(), utf8.end()));
    window();
    pick("Utf8");
    EXPECT_EQ(captions(), captionsOf("Deutsch"));
    EXPECT_EQ(find<QAction>("mnuQuit")->text(), "Beenden");
}

} // namespace
