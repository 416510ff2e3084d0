// The texture document without a window: its steps on the editor's one undo stack, and a
// modified state that says whether anything differs from the saved files.
#include "CaseName.h"
#include "TempDir.h"
#include "TestImages.h"

#include "editor/BootsDocument.h"
#include "editor/TextureArchives.h"

#include <QDir>
#include <QSignalSpy>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

using TestData::Bytes;
constexpr int kSide = 16;

class Textures : public testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<TestData::ArchiveEntry> entries;
        for (int i = 0; i < 3; ++i)
            entries.push_back({"t10" + std::to_string(i),
                               TestData::ddsOf(TestData::DdsFormat::Dxt5,
                                               TestData::pattern(kSide, kSide, true))});
        original = TestData::textureArchive(entries);
        archive = path("unnamed_5756.bin");
        TestData::writeFile(archive.toStdString(), TestData::wesys(original));
        const QString game = path("unnamed_1831.bin");
        TestData::writeFile(game.toStdString(),
                            TestData::wesys(TestData::bootsFile(TestData::boots(3))));
        Reason error;
        ASSERT_TRUE(doc.open(game, &error)) << error.text();
        ASSERT_TRUE(textures().load(1, archive, &error)) << error.text();
    }
    QString path(const std::string &name) { return QString::fromStdString(gameDir.file(name)); }
    TextureArchives &textures() { return doc.textures(); }
    QUndoStack &stack() { return *doc.undoStack(); }
    Bytes workingCopy() { return TestData::readFile(textures().workingCopy(1).toStdString()); }
    QString picture(const std::string &name, TestData::Rgba colour)
    {
        TestData::writeFile(gameDir.file(name),
                            TestData::png(TestData::solid(kSide, kSide, colour)));
        return path(name);
    }
    void replace()
    {
        Reason error;
        ASSERT_TRUE(textures().replaceEntry(1, 1, picture("new.png", {200, 0, 0, 255}), &error))
            << error.text();
    }

    TempDir programDir;
    TempDir gameDir;
    BootsDocument doc{QString::fromStdString(programDir.path())};
    Bytes original;
    QString archive;
};

TEST_F(Textures, ImportIsOneStepThatUndoTakesBackAndRedoPutsAgain)
{
    ASSERT_TRUE(QDir().mkpath(path("set")));
    picture("set/000_a.png", {10, 200, 10, 255});
    picture("set/002_c.png", {10, 10, 200, 255});
    TextureSet::Outcome outcome;
    Reason error;
    ASSERT_TRUE(textures().importFolder(1, path("set"), outcome, &error)) << error.text();
    EXPECT_EQ(stack().count(), 1);
    EXPECT_EQ(stack().undoText(), "Import Textures");
    const Bytes imported = workingCopy();
    EXPECT_NE(imported, original);
    EXPECT_TRUE(doc.isModified());
    stack().undo();
    EXPECT_EQ(workingCopy(), original) << "both entries back in one step";
    EXPECT_FALSE(doc.isModified());
    stack().redo();
    EXPECT_EQ(workingCopy(), imported);
}

// The document names its archive by the file it was loaded from: an export of a renamed copy
// comes back, one of another archive is refused naming both.
TEST_F(Textures, ImportKnowsTheArchiveItsPicturesCameFrom)
{
    std::vector<TestData::ArchiveEntry> entries;
    for (int i = 0; i < 3; ++i)
        entries.push_back(
            {"u10" + std::to_string(i),
             TestData::ddsOf(TestData::DdsFormat::Dxt5, TestData::pattern(kSide, kSide, true))});
    const Bytes other = TestData::textureArchive(entries);
    Textura index;
    ASSERT_TRUE(index.load(other));
    TextureSet::Exported exported;
    std::string reason;
    ASSERT_TRUE(TextureSet::exportAll(other, index, "unnamed_2113.bin", gameDir.file("other"),
                                      exported, &reason))
        << reason;
    ASSERT_TRUE(index.load(original));
    ASSERT_TRUE(
        TextureSet::exportAll(original, index, "copy.bin", gameDir.file("own"), exported, &reason))
        << reason;
    TextureSet::Outcome outcome;
    Reason error;
    EXPECT_FALSE(textures().importFolder(1, path("other"), outcome, &error));
    ASSERT_EQ(outcome.problems.size(), 3U);
    EXPECT_EQ(outcome.problems[0].text(),
              "000_u100.png: the picture was exported from another archive, unnamed_2113.bin, "
              "whose entries differ from those of unnamed_5756.bin");
    EXPECT_TRUE(textures().importFolder(1, path("own"), outcome, &error))
        << testing::PrintToString(outcome.problems);
    EXPECT_EQ(outcome.unchanged, 3);
    EXPECT_EQ(workingCopy(), original);
}

TEST_F(Textures, CancelledImportChangesNothing)
{
    ASSERT_TRUE(QDir().mkpath(path("set")));
    picture("set/000_a.png", {10, 200, 10, 255});
    TextureSet::Outcome outcome;
    Reason error;
    EXPECT_FALSE(textures().importFolder(1, path("set"), outcome, &error,
                                         [](std::size_t, std::size_t) { return false; }));
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(workingCopy(), original);
    EXPECT_EQ(stack().count(), 0);
}

// A step made on an earlier load of the archive changes nothing, and the document is modified
// exactly when something differs from the saved files.
struct Reload
{
    const char *name;
    bool saveFirst;
};

class StepOfAnEarlierLoad : public Textures, public testing::WithParamInterface<Reload>
{
};

TEST_P(StepOfAnEarlierLoad, LeavesTheDocumentUnmodified)
{
    replace();
    Reason error;
    if (GetParam().saveFirst) {
        ASSERT_TRUE(doc.save(&error)) << error.text();
    }
    const Bytes saved = TestData::unwrap(TestData::readFile(archive.toStdString()));
    ASSERT_TRUE(textures().load(1, archive, &error));
    EXPECT_FALSE(doc.isModified());
    stack().undo();
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(workingCopy(), saved);
    EXPECT_EQ(stack().count(), 0) << "the void step has left the stack";
}

INSTANTIATE_TEST_SUITE_P(Steps, StepOfAnEarlierLoad,
                         testing::Values(Reload{"Saved", true}, Reload{"Discarded", false}),
                         CaseName::by([](const Reload &r) { return r.name; }));

TEST_F(Textures, BootsAndTexturesEachKnowTheirOwnChanges)
{
    replace();
    EXPECT_FALSE(doc.bootsModified());
    EXPECT_TRUE(textures().isModified(1));
    EXPECT_FALSE(textures().isModified(2));
    const BootField &name = BootFields::field(BootField::Id::Name);
    TypedFields texts;
    texts.set(name, QStringLiteral("Renamed"));
    ASSERT_TRUE(doc.setRecord(0, texts, RecordEdit::typing(name)));
    EXPECT_TRUE(doc.bootsModified());
    stack().undo();
    EXPECT_FALSE(doc.bootsModified());
    EXPECT_TRUE(doc.isModified());
}

// Which entry holds a boot's texture: the first archive's entries are the first boots', the
// second archive goes on where the first ends. -1 archive entries: the archive is not loaded.
// Save As writes the boots file and each changed archive into another folder, as Save writes
// them, and the document goes on with the files written there; what it came from stays.
struct SaveAsCase
{
    const char *name;
    bool bootsEdited;
    bool textureEdited;
    const char *written; ///< the new folder's files afterwards
};

class SaveAs : public Textures, public testing::WithParamInterface<SaveAsCase>
{
};

TEST_P(SaveAs, WritesTheChangedFilesThereAndWorksOnThem)
{
    const SaveAsCase &c = GetParam();
    const QString game = doc.gamePath();
    const Bytes gameBefore = TestData::readFile(game.toStdString());
    if (c.bootsEdited) {
        auto after = doc.database().records();
        after[0].Nazwa = "Saved elsewhere";
        ASSERT_TRUE(doc.changeRecords(QStringLiteral("Rename"), after));
    }
    if (c.textureEdited)
        replace();
    const Bytes edited = workingCopy();
    TempDir elsewhere;
    const QString folder = QString::fromStdString(elsewhere.path());
    QSignalSpy moved(&doc, &BootsDocument::filesMoved);
    Reason error;
    ASSERT_TRUE(doc.saveAs(folder, &error)) << error.text();
    EXPECT_EQ(elsewhere.listing(), c.written);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(TestData::readFile(game.toStdString()), gameBefore);
    EXPECT_EQ(TestData::readFile(archive.toStdString()), TestData::wesys(original));
    EXPECT_EQ(doc.gamePath(), QDir(folder).filePath(QStringLiteral("unnamed_1831.bin")));
    std::vector<BootRecord> saved;
    ASSERT_TRUE(BootsDocument::readBoots(doc.gamePath(), saved, &error));
    EXPECT_EQ(saved, doc.database().records());
    const QString source = textures().source(1);
    EXPECT_EQ(source, c.textureEdited ? QDir(folder).filePath(QStringLiteral("unnamed_5756.bin"))
                                      : QFileInfo(archive).absoluteFilePath());
    EXPECT_EQ(TestData::readFile(source.toStdString()),
              c.textureEdited ? TestData::wesys(edited) : TestData::wesys(original));
    // The next save goes to the new files.
    replace();
    stack().undo();
    stack().undo();
    ASSERT_TRUE(doc.save(&error)) << error.text();
    EXPECT_EQ(TestData::readFile(archive.toStdString()), TestData::wesys(original));
    EXPECT_EQ(TestData::readFile(game.toStdString()), gameBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Textures, SaveAs,
    testing::Values(SaveAsCase{"BootsOnly", true, false, "unnamed_1831.bin"},
                    SaveAsCase{"TexturesOnly", false, true, "unnamed_1831.bin unnamed_5756.bin"},
                    SaveAsCase{"Both", true, true, "unnamed_1831.bin unnamed_5756.bin"}),
    CaseName::by([](const SaveAsCase &c) { return std::string(c.name); }));

struct Placing
{
    const char *name;
    int firstEntries;
    int secondEntries;
    int boot;
    TextureArchives::BootTexture expected;
};

class BootTexture : public testing::TestWithParam<Placing>
{
protected:
    void load(int archive, int entries)
    {
        if (entries < 0)
            return;
        std::vector<TestData::ArchiveEntry> list;
        for (int i = 0; i < entries; ++i)
            list.push_back({"e" + std::to_string(100 + i),
                            TestData::dds(TestData::DdsFormat::Dxt1, 4, 4, {})});
        const std::string file = gameDir.file("archive" + std::to_string(archive) + ".bin");
        TestData::writeFile(file, TestData::wesys(TestData::textureArchive(list)));
        Reason error;
        ASSERT_TRUE(doc.textures().load(archive, QString::fromStdString(file), &error))
            << error.text();
    }

    TempDir programDir;
    TempDir gameDir;
    BootsDocument doc{QString::fromStdString(programDir.path())};
};

TEST_P(BootTexture, LiesInThisEntryOrSaysWhichArchiveToLoad)
{
    const Placing &c = GetParam();
    load(1, c.firstEntries);
    load(2, c.secondEntries);
    const TextureArchives::BootTexture at = doc.textures().textureOf(c.boot);
    EXPECT_EQ(at.archive, c.expected.archive);
    EXPECT_EQ(at.entry, c.expected.entry);
    EXPECT_EQ(at.archiveToLoad, c.expected.archiveToLoad);
    if (at.archive != 0) {
        EXPECT_EQ(doc.textures().bootOf(at.archive, at.entry), c.boot) << "and back to its boot";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boots, BootTexture,
    testing::Values(Placing{"NoBootHasNone", 3, 2, -1, {0, -1, 0}},
                    Placing{"NothingLoadedNeedsTheFirst", -1, -1, 0, {0, -1, 1}},
                    Placing{"TheSecondAlonePlacesNoBoot", -1, 2, 0, {0, -1, 1}},
                    Placing{"FirstBootFirstEntry", 3, -1, 0, {1, 0, 0}},
                    Placing{"LastEntryOfTheFirst", 3, -1, 2, {1, 2, 0}},
                    Placing{"PastTheFirstNeedsTheSecond", 3, -1, 3, {0, -1, 2}},
                    Placing{"TheSecondGoesOnWhereTheFirstEnds", 3, 2, 3, {2, 0, 0}},
                    Placing{"LastEntryOfTheSecond", 3, 2, 4, {2, 1, 0}},
                    Placing{"PastBothHasNone", 3, 2, 5, {0, -1, 0}},
                    Placing{"AnEmptyFirstLeavesEveryBootToTheSecond", 0, 2, 1, {2, 1, 0}}),
    CaseName::by([](const Placing &c) { return std::string(c.name); }));

} // namespace
