// Two windows of the editor at once, each with its own working files, and an installed editor
// that writes only to the user's data folder.
#include "MainWindowFixture.h"
#include "desktop/AppFolders.h"
#include "language/Ini.h"
#include "language/Languages.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class TwoWindows : public MainWindowFixture
{
protected:
    // Sets every statistic of every boot to `value` through "All" and saves.
    static void changeAllAndSave(frmMain &w, ModalAnswerer &answer, const QString &value)
    {
        w.findChild<QRadioButton *>(QStringLiteral("R2"))->click();
        w.findChild<QLineEdit *>(QStringLiteral("Over"))->setText(value);
        w.findChild<QPushButton *>(QStringLiteral("cmdChange"))->click();
        answer.message(); // "Saved File"
        ASSERT_TRUE(w.save());
    }
};

TEST_F(TwoWindows, EachSavesExactlyItsOwnFile)
{
    const QString a = writeGame(TestData::boots(5), QStringLiteral("a.bin"));
    const QString b = writeGame(TestData::boots(7), QStringLiteral("b.bin"));
    open(a);
    frmMain second(QString::fromStdString(programDir.path()));
    ASSERT_TRUE(second.folders().isPrivate());
    ASSERT_TRUE(second.openFile(b));
    changeAllAndSave(window(), answer, QStringLiteral("2"));
    changeAllAndSave(second, answer, QStringLiteral("4"));
    for (const auto &r : recordsOf(a))
        EXPECT_EQ(r.Sila, 2);
    for (const auto &r : recordsOf(b))
        EXPECT_EQ(r.Sila, 4);
    EXPECT_EQ(recordsOf(a).size(), 5u);
    EXPECT_EQ(recordsOf(b).size(), 7u);
    second.close();
    EXPECT_TRUE(fs::exists(programFile("temp.bin"))) << "the first copy's working file stays";
}

TEST_F(TwoWindows, OpeningAWorkingFileIsRefused)
{
    open(writeGame(TestData::boots(3)));
    answer.message();
    EXPECT_FALSE(window().openFile(window().workingFile()));
    ASSERT_EQ(answer.icons.size(), 1u);
    EXPECT_EQ(answer.icons[0], QMessageBox::Critical);
}

TEST_F(TwoWindows, FileTooLargeForAContainerIsRefusedUnread)
{
    const std::string huge = gameDir.file("unnamed_5756.bin");
    std::ofstream(huge).close();
    fs::resize_file(huge, std::uintmax_t{3} << 30); // sparse: no disk space, no reading
    open(writeGame(TestData::boots(3)));
    const std::string before = folderSnapshot(programDir.path()) + folderSnapshot(gameDir.path());
    answer.message();
    answer.message();
    answer.message();
    EXPECT_FALSE(window().openFile(QString::fromStdString(huge)));
    drop({QString::fromStdString(huge)});
    EXPECT_FALSE(window().loadArchive(1, QString::fromStdString(huge)));
    for (const QString &reason : answer.details)
        EXPECT_TRUE(reason.contains(QStringLiteral("too large"))) << reason.toStdString();
    EXPECT_EQ(folderSnapshot(programDir.path()) + folderSnapshot(gameDir.path()), before);
}

TEST_F(TwoWindows, InstalledEditorWritesOnlyToTheUserDataFolder)
{
    TempDir prefix;
    TempDir data;
    TempDir config;
    fs::copy(CLEATWORK_LANGUAGE_DIR, prefix.file("Language"), fs::copy_options::recursive);
    fs::create_directories(data.file("Language/Mine"));
    fs::copy(prefix.file("Language/Deutsch"), data.file("Language/Deutsch"),
             fs::copy_options::recursive);
    WriteIni(data.file("Language/Deutsch/LNG.ini"), "GroupBox", "GroupBox1", "Meine Schuhe");
    const std::string bundled = folderSnapshot(prefix.path());
    const QString game = writeGame(TestData::boots(4));
    fs::permissions(gameDir.path(), fs::perms::owner_write, fs::perm_options::remove);
    {
        frmMain w(AppFolders::installed(QString::fromStdString(prefix.path()),
                                        QString::fromStdString(data.path()),
                                        QString::fromStdString(config.file("Cleatwork"))));
        auto *languages = w.findChild<QComboBox *>(QStringLiteral("ComboBox"));
        EXPECT_EQ(languages->count(), 8) << "seven bundled languages and the user's own";
        languages->setCurrentIndex(languages->findText(QStringLiteral("Deutsch")));
        emit languages->activated(languages->currentIndex());
        EXPECT_EQ(w.findChild<QGroupBox *>(QStringLiteral("GroupBox1"))->title(), "Meine Schuhe");
        ASSERT_TRUE(w.openFile(game));
        EXPECT_EQ(gameDir.listing(), "unnamed_1831.bin");
        w.close();
    }
    fs::permissions(gameDir.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(folderSnapshot(prefix.path()), bundled);
    EXPECT_EQ(Languages::configuredLanguage(data.path()), "Deutsch");
    // Beside the languages, the data folder keeps the original of the opened file.
    const std::string written = folderSnapshot(data.path(), false);
    EXPECT_EQ(
        written.substr(0, written.find("originals/")),
        "Language/\nLanguage/C\nLanguage/Deutsch/\nLanguage/Deutsch/LNG.ini\nLanguage/Mine/\n");
    EXPECT_TRUE(fs::is_regular_file(config.file("Cleatwork/cleatwork.ini")))
        << "the editor's settings, in a configuration folder made for them";
}

} // namespace
