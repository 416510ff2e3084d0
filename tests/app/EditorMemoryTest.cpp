#include "MainWindowFixture.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class RememberingWindow : public MainWindowFixture
{
protected:
    // The next start of the program on the same program folder.
    frmMain &restart()
    {
        mWindow->document().undoStack()->setClean();
        mWindow->close();
        mWindow.reset();
        return window();
    }
    QList<QAction *> recentFiles()
    {
        QList<QAction *> files;
        for (QAction *a : find<QMenu>("mnuRecent")->actions()) {
            if (!a->isSeparator() && a->objectName() != QLatin1String("mnuRecentClear"))
                files << a;
        }
        return files;
    }
    QStringList recentTexts()
    {
        QStringList texts;
        for (QAction *a : recentFiles())
            texts << a->text();
        return texts;
    }
    QString inGames(const std::string &name)
    {
        return QDir::fromNativeSeparators(QString::fromStdString(gameDir.file(name)));
    }
};

TEST_F(RememberingWindow, RecentFilesComeBackNewestFirstAndOpenAfterTheQuestion)
{
    const QString a = writeGame(TestData::boots(3), QStringLiteral("a.bin"));
    const QString b = writeGame(TestData::boots(5), QStringLiteral("b.bin"));
    open(a);
    open(b);
    restart();
    ASSERT_EQ(recentTexts(),
              QStringList({QDir::toNativeSeparators(b), QDir::toNativeSeparators(a)}));

    open(b);
    select(0);
    txt(0)->setText(QStringLiteral("Edited"));
    answer.message(QMessageBox::Cancel);
    recentFiles()[1]->trigger();
    EXPECT_EQ(openGame(), b) << "Cancel keeps the file and its edits";
    answer.message(QMessageBox::Discard);
    recentFiles()[1]->trigger();
    EXPECT_EQ(openGame(), a);
    EXPECT_EQ(recentTexts().first(), QDir::toNativeSeparators(a));
}

TEST_F(RememberingWindow, AMissingRecentFileLeavesTheListWithAMessage)
{
    const QString a = writeGame(TestData::boots(3), QStringLiteral("a.bin"));
    const QString b = writeGame(TestData::boots(5), QStringLiteral("b.bin"));
    open(a);
    open(b);
    fs::remove(a.toStdString());
    answer.message();
    recentFiles()[1]->trigger();
    EXPECT_EQ(answer.names, QStringList{"recentMissingMessage"});
    EXPECT_EQ(recentTexts(), QStringList{QDir::toNativeSeparators(b)});
    EXPECT_EQ(openGame(), b);
    find<QAction>("mnuRecentClear")->trigger();
    restart();
    EXPECT_TRUE(recentTexts().isEmpty());
}

TEST_F(RememberingWindow, DialogsStartInTheFoldersLastUsedAndTheArchivesReloadInOneClick)
{
    fs::create_directories(gameDir.file("boots"));
    fs::create_directories(gameDir.file("textures"));
    const QString game = writeGame(TestData::boots(6), QStringLiteral("boots/unnamed_1831.bin"));
    const auto archive = [&](int first, int count, const char *name) {
        std::vector<TestData::ArchiveEntry> entries;
        for (int i = first; i < first + count; ++i)
            entries.push_back({"t" + std::to_string(100 + i),
                               TestData::dds(TestData::DdsFormat::Dxt5, 16, 16, {9, 9, 9, 255})});
        return writeGameBytes(TestData::wesys(TestData::textureArchive(entries)),
                              QString::fromLatin1(name));
    };
    const QString first = archive(0, 4, "textures/unnamed_5756.bin");
    const QString second = archive(4, 2, "textures/unnamed_2113.bin");
    open(game);
    ASSERT_TRUE(window().loadArchive(1, first));
    ASSERT_TRUE(window().loadArchive(2, second));
    restart();

    answer.file(QString());
    window().findChild<QAction *>(QStringLiteral("mnuOpen"))->trigger();
    open(game);
    answer.file(QString());
    find<QPushButton>("cmdOpenT")->click();
    EXPECT_EQ(answer.folders, QStringList({inGames("boots"), inGames("textures")}));

    auto *reload = find<QPushButton>("cmdReloadArchives");
    ASSERT_TRUE(reload->isEnabled());
    reload->click();
    EXPECT_EQ(window().archiveIndex(1).Count(), 4);
    EXPECT_EQ(window().archiveIndex(2).Count(), 2);
    select(5);
    EXPECT_FALSE(find<QLabel>("Img")->pixmap().isNull());

    // The folder of Export All is where Import Folder starts after the next start.
    fs::create_directories(gameDir.file("set"));
    answer.file(inGames("set"));
    answer.message();
    find<QPushButton>("cmdExportTextures")->click();
    restart();
    open(game);
    find<QPushButton>("cmdReloadArchives")->click();
    select(5);
    answer.file(QString());
    find<QPushButton>("cmdImportTextures")->click();
    EXPECT_EQ(answer.folders.value(answer.folders.size() - 1), inGames("set"));

    fs::remove(second.toStdString());
    restart();
    open(game);
    EXPECT_FALSE(find<QPushButton>("cmdReloadArchives")->isEnabled());
}

TEST_F(RememberingWindow, TheWindowComesBackWithItsSizeAndPosition)
{
    window().setGeometry(40, 50, 777, 555);
    const QRect left = window().geometry();
    restart();
    EXPECT_EQ(window().geometry(), left);
}

TEST_F(RememberingWindow, TheBootsTableComesBackShownWithItsColumns)
{
    window();
    find<QAction>("mnuTable")->trigger();
    find<QTableView>("tblBoots")->setColumnWidth(1, 222);
    restart();
    EXPECT_TRUE(find<QDockWidget>("dockTable")->isVisible());
    EXPECT_EQ(find<QTableView>("tblBoots")->columnWidth(1), 222);
}

TEST_F(RememberingWindow, GarbageSettingsGiveTheDefaultsWithoutAMessage)
{
    const std::string garbage = "\xff\xfe[[[Window]\nGeometry=@ByteArray(\x01\x02\n[RecentFiles\n";
    TestData::writeFile(programFile("cleatwork.ini"),
                        TestData::Bytes(garbage.begin(), garbage.end()));
    window();
    EXPECT_TRUE(recentTexts().isEmpty());
    EXPECT_TRUE(answer.texts.isEmpty());
    const QString game = writeGame(TestData::boots(3));
    open(game);
    restart();
    EXPECT_EQ(recentTexts(), QStringList{QDir::toNativeSeparators(game)});
}

TEST_F(RememberingWindow, FindSelectsMatchingBootsWithoutFilteringTheList)
{
    open(writeGame(TestData::boots(255)));
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
    auto *field = find<QLineEdit>("txtFind");
    EXPECT_TRUE(field->hasFocus());
    QTest::keyClicks(field, QStringLiteral("boot 12"));
    EXPECT_EQ(list()->currentRow(), 12);
    EXPECT_EQ(txt(0)->text(), "Boot 12") << "the fields show the boot found";
    QTest::keyClick(field, Qt::Key_F3);
    EXPECT_EQ(txt(0)->text(), "Boot 120");
    QTest::keyClick(field, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(list()->currentRow(), 12);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(list()->currentRow(), 120);
    const QString unmatched = field->styleSheet();
    QTest::keyClicks(field, QStringLiteral("x"));
    EXPECT_EQ(list()->currentRow(), 120) << "no match leaves the selection";
    EXPECT_NE(field->styleSheet(), unmatched) << "no match colours the field";
    EXPECT_EQ(list()->count(), 255);
}

} // namespace
