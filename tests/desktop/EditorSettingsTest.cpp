#include "desktop/EditorSettings.h"
#include "editor/BootFinder.h"

#include "TempDir.h"
#include "TestData.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// A path of the tests' folders in Qt's form, as the settings keep paths.
QString q(const std::string &s)
{
    return QDir::fromNativeSeparators(QString::fromStdString(s));
}

TEST(EditorSettings, RecentFilesAreNewestFirstMergedAndCapped)
{
    TempDir dir;
    EditorSettings settings(q(dir.file("settings.ini")));
    for (int i = 0; i < 10; ++i)
        settings.addRecentFile(q(dir.file("f" + std::to_string(i))));
    settings.addRecentFile(q(dir.path() + "/./f5"));
    ASSERT_TRUE(settings.sync());

    const QStringList recent = EditorSettings(q(dir.file("settings.ini"))).recentFiles();
    ASSERT_EQ(recent.size(), EditorSettings::kMaxRecentFiles);
    EXPECT_EQ(recent.first(), q(dir.file("f5")));
    EXPECT_EQ(recent[1], q(dir.file("f9")));
    EXPECT_EQ(recent.count(q(dir.file("f5"))), 1);
    EXPECT_FALSE(recent.contains(q(dir.file("f1"))));
}

TEST(EditorSettings, ArchiveDialogsStartWhereTheLastFileWas)
{
    TempDir dir;
    EditorSettings settings(q(dir.file("settings.ini")));
    EXPECT_EQ(settings.archiveFolder(), QString());
    settings.setLastBootsFile(q(dir.path() + "/game/unnamed_1831.bin"));
    EXPECT_EQ(settings.archiveFolder(), q(dir.path() + "/game"));
    settings.setLastArchive(2, q(dir.path() + "/tex/unnamed_2113.bin"));
    EXPECT_EQ(settings.archiveFolder(), q(dir.path() + "/tex"));
    EXPECT_EQ(settings.lastArchive(2), q(dir.path() + "/tex/unnamed_2113.bin"));
    EXPECT_EQ(settings.lastArchive(1), QString());
}

TEST(EditorSettings, GarbageGivesTheDefaults)
{
    const std::string garbage[] = {
        std::string("\0\xff\xfe[[[=\n\x01", 9),
        "[RecentFiles]\nFiles=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1)\n[Folders]\nBootsFiles=@"
        "ByteArray(",
        "[Window]\nGeometry=@Rect(1 2)\n[Archives]\nFirst=a, b\n",
    };
    for (const std::string &content : garbage) {
        TempDir dir;
        TestData::writeFile(dir.file("settings.ini"),
                            TestData::Bytes(content.begin(), content.end()));
        EditorSettings settings(q(dir.file("settings.ini")));
        EXPECT_LE(settings.recentFiles().size(), 1) << content;
        EXPECT_EQ(settings.lastArchive(1).contains(','), false) << content;
        settings.addRecentFile(q(dir.file("x")));
        EXPECT_EQ(settings.recentFiles().first(), q(dir.file("x"))) << content;
    }
}

TEST(EditorSettings, TexturesSectionGivesTheEditorAndTheArchivesBeside)
{
    const struct
    {
        const char *ini;
        const char *editor;
        bool beside;
    } cases[] = {{"", "", true},
                 {"[Textures]\nTextureEditor= /usr/bin/gimp \n", "/usr/bin/gimp", true},
                 {"[Textures]\nLoadArchivesBeside=false\n", "", false},
                 {"[Textures]\nLoadArchivesBeside=0\n", "", false},
                 {"[Textures]\nLoadArchivesBeside=yes\n", "", true},
                 {"[Textures]\nLoadArchivesBeside=\n", "", true}};
    for (const auto &c : cases) {
        TempDir dir;
        const std::string text = c.ini;
        TestData::writeFile(dir.file("cleatwork.ini"), TestData::Bytes(text.begin(), text.end()));
        const EditorSettings settings(q(dir.file("cleatwork.ini")));
        EXPECT_EQ(settings.textureEditor(), QString::fromLatin1(c.editor)) << c.ini;
        EXPECT_EQ(settings.loadArchivesBeside(), c.beside) << c.ini;
    }
}

TEST(BootFinder, SearchesFromTheStartRowAndWraps)
{
    const QStringList names{"Predator", "Mercurial Vapor", "Copa Mundial", "Phantom", "Vapor Edge"};
    const struct
    {
        const char *what;
        QString text;
        int start;
        BootFinder::Direction direction;
        int row;
    } cases[] = {
        {"first match from the start row", "vapor", 0, BootFinder::Direction::Forward, 1},
        {"the start row itself counts", "vapor", 1, BootFinder::Direction::Forward, 1},
        {"next match after the current one", "vapor", 2, BootFinder::Direction::Forward, 4},
        {"wraps past the end", "vapor", 5, BootFinder::Direction::Forward, 1},
        {"backwards wraps past the start", "vapor", 0, BootFinder::Direction::Backward, 4},
        {"case is ignored", "COPA", 0, BootFinder::Direction::Forward, 2},
        {"accents are not folded", QString::fromUtf8("Cöpa"), 0, BootFinder::Direction::Forward,
         -1},
        {"no match", "boot", 3, BootFinder::Direction::Forward, -1},
        {"empty text finds nothing", "", 0, BootFinder::Direction::Forward, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BootFinder::find(names, c.text, c.start, c.direction), c.row) << c.what;
}

} // namespace
