// A folder of pictures brought back into an archive: which names count, that an untouched
// export changes nothing, and that every refusal names its file and leaves the archive whole.
#include "CaseName.h"
#include "PlatformFiles.h"
#include "TempDir.h"
#include "TestImages.h"

#include "archive/ArchiveEntry.h"
#include "imaging/textures/TextureSet.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

namespace {

using TestData::Bytes;
using TestData::DdsFormat;
constexpr int kSide = 16;

std::string lines(const std::vector<Reason> &reasons)
{
    std::string out;
    for (const Reason &r : reasons)
        out += r.text() + "\n";
    return out;
}

struct NameCase
{
    const char *name;
    std::int32_t entry;
};

class EntryNames : public testing::TestWithParam<NameCase>
{
};

TEST_P(EntryNames, NameTheEntryTheirNumberGives)
{
    EXPECT_EQ(TextureSet::entryOf(GetParam().name), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EntryNames,
    testing::Values(NameCase{"001_ab12.png", 1}, NameCase{"0012_.DDS", 12},
                    NameCase{"100_x.y.jpeg", 100}, NameCase{"12_ab12.png", -1},
                    NameCase{"001ab12.png", -1}, NameCase{"001_ab12.gif", -1},
                    NameCase{"001_ab12.png.txt", -1}, NameCase{"abc_ab12.png", -1},
                    NameCase{"99999999999_a.png", std::numeric_limits<std::int32_t>::max()}),
    CaseName::by([](const NameCase &c) { return c.name; }));

class Folder : public testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<TestData::ArchiveEntry> entries;
        for (int i = 0; i < 3; ++i)
            entries.push_back(
                {"t10" + std::to_string(i),
                 TestData::ddsOf(i == 2 ? DdsFormat::Rgb565 : DdsFormat::Dxt5,
                                 TestData::pattern(kSide, kSide, i != 2), i == 0 ? 3 : 1)});
        original = TestData::textureArchive(entries);
        ASSERT_TRUE(index.load(original));
        TextureSet::Exported exported;
        std::string error;
        ASSERT_TRUE(TextureSet::exportAll(original, index, kArchive, dir.path(), exported, &error))
            << error;
        ASSERT_EQ(exported.written, 3);
    }
    void put(const std::string &name, const Bytes &bytes)
    {
        TestData::writeFile(dir.file(name), bytes);
    }
    bool import(const std::string &folder, const std::string &into = kArchive)
    {
        archive = original;
        return TextureSet::importFolder(folder, index, into, archive, outcome);
    }

    static constexpr const char *kArchive = "unnamed_5756.bin";

    TempDir dir;
    Bytes original;
    Bytes archive;
    Textura index;
    TextureSet::Outcome outcome;
};

TEST_F(Folder, UntouchedExportChangesNothing)
{
    put("notes.txt", {'h', 'i'});
    std::filesystem::create_directory(dir.file("001_sub.png"));
    std::string whyNot;
    if (!PlatformFiles::makeLink(dir.file("000_t100.png"), dir.file("002_link.png"), &whyNot))
        GTEST_SKIP() << whyNot;
    std::filesystem::remove(dir.file("002_t102.png"));
    ASSERT_TRUE(import(dir.path())) << lines(outcome.problems);
    EXPECT_EQ(archive, original);
    EXPECT_EQ(outcome.summary(), "0 textures replaced, 2 unchanged, 3 files skipped");
}

TEST_F(Folder, NewPicturesChangeExactlyTheirEntries)
{
    const TestData::Image red = TestData::solid(kSide, kSide, {250, 10, 10, 255});
    put("000_t100.png", TestData::png(red));
    std::filesystem::remove(dir.file("002_t102.png"));
    put("002_t102.bmp", TestData::bmp(red));
    ASSERT_TRUE(import(dir.path())) << lines(outcome.problems);
    ASSERT_EQ(outcome.replaced.size(), 2U);
    EXPECT_EQ(outcome.unchanged, 1);
    ASSERT_EQ(archive.size(), original.size());
    const ArchiveEntry first = ArchiveEntry::of(index, 0);
    const ArchiveEntry middle = ArchiveEntry::of(index, 1);
    EXPECT_TRUE(std::equal(original.begin(), original.begin() + first.textureOffset() + 128,
                           archive.begin()))
        << "the table and the first entry's headers stay";
    EXPECT_TRUE(std::equal(original.begin() + middle.dataOffset,
                           original.begin() + middle.dataOffset + middle.length,
                           archive.begin() + middle.dataOffset))
        << "entry 1 keeps every byte";
    EXPECT_LT(TestData::meanError(
                  TestData::decodeDds(Bytes(archive.begin() + first.textureOffset(),
                                            archive.begin() + first.dataOffset + first.length)),
                  red, 0),
              0.03);
}

TEST_F(Folder, EditedPictureThatKeptTheExportMarkIsStillImported)
{
    // A painting program that keeps the export's text chunk but changes the pixels.
    const Bytes exported = TestData::readFile(dir.file("000_t100.png"));
    const char text[] = "tEXt";
    const auto type = std::search(exported.begin(), exported.end(), text, text + 4);
    ASSERT_NE(type, exported.end()) << "the export marks its files";
    const auto chunk = type - 4;
    const auto length = static_cast<std::ptrdiff_t>(TestData::getInt32(
        Bytes{chunk[3], chunk[2], chunk[1], chunk[0]}, 0)); // big-endian
    Bytes edited = TestData::png(TestData::solid(kSide, kSide, {250, 10, 10, 255}));
    edited.insert(edited.end() - 12, chunk, chunk + 12 + length); // before the end chunk
    put("000_t100.png", edited);
    ASSERT_TRUE(import(dir.path())) << lines(outcome.problems);
    ASSERT_EQ(outcome.replaced.size(), 1U);
    EXPECT_EQ(outcome.replaced[0].entry, 0);
}

struct Refusal
{
    const char *name;
    const char *file; ///< the file the problem must name
    Bytes (*content)();
    bool standsIn = true; ///< in place of entry 1's exported picture
};

Bytes smallPicture()
{
    return TestData::png(TestData::solid(8, 8, {}));
}
Bytes brokenPicture()
{
    Bytes png = TestData::png(TestData::solid(kSide, kSide, {}));
    png.resize(png.size() / 2);
    return png;
}
Bytes otherDds()
{
    return TestData::ddsOf(DdsFormat::Dxt1, TestData::solid(kSide, kSide, {}));
}
Bytes anyPicture()
{
    return TestData::png(TestData::solid(kSide, kSide, {1, 2, 3, 255}));
}

class RefusedFolder : public Folder, public testing::WithParamInterface<Refusal>
{
};

TEST_P(RefusedFolder, NamesTheFileAndLeavesTheArchive)
{
    if (GetParam().standsIn)
        std::filesystem::remove(dir.file("001_t101.png"));
    put(GetParam().file, GetParam().content());
    EXPECT_FALSE(import(dir.path()));
    ASSERT_EQ(outcome.problems.size(), 1U) << lines(outcome.problems);
    // The file's name, then why, as a reason of the catalogue for a window to word.
    const Reason &problem = outcome.problems[0];
    ASSERT_FALSE(problem.isPlain()) << problem.text();
    EXPECT_EQ(problem.id(), Reasons::Id::NamedLine);
    ASSERT_EQ(problem.arguments().size(), 2U);
    EXPECT_FALSE(problem.arguments()[1].isPlain()) << problem.text();
    EXPECT_NE(problem.text().find(GetParam().file), std::string::npos) << problem.text();
}

INSTANTIATE_TEST_SUITE_P(Problems, RefusedFolder,
                         testing::Values(Refusal{"NoSuchEntry", "007_t107.png", anyPicture},
                                         Refusal{"OtherSize", "001_t101.png", smallPicture},
                                         Refusal{"BrokenPicture", "001_t101.png", brokenPicture},
                                         Refusal{"TwoFilesForOneEntry", "001_again.png", anyPicture,
                                                 false},
                                         Refusal{"DdsOfAnotherLayout", "001_t101.dds", otherDds}),
                         CaseName::by([](const Refusal &r) { return r.name; }));

// Entry numbers of one archive stand for other textures in the other: a marked export goes
// back only into the archive it came from (whose file name may differ in case), edited or not.
TEST_F(Folder, ExportGoesBackOnlyIntoItsOwnArchive)
{
    EXPECT_TRUE(import(dir.path(), "UNNAMED_5756.BIN")) << testing::PrintToString(outcome.problems);
    EXPECT_FALSE(import(dir.path(), "unnamed_2113.bin"));
    EXPECT_EQ(archive, original);
    ASSERT_EQ(outcome.problems.size(), 3U);
    EXPECT_EQ(outcome.problems[0],
              Reason(Reasons::Id::NamedLine,
                     {"000_t100.png", Reason(Reasons::Id::PictureFromOtherArchive,
                                             {"unnamed_5756.bin", "unnamed_2113.bin"})}));
    // A picture without the mark is taken by its number, as ever.
    for (const char *name : {"000_t100.png", "001_t101.png", "002_t102.png"})
        put(name, TestData::png(TestData::pattern(kSide, kSide, true)));
    EXPECT_TRUE(import(dir.path(), "unnamed_2113.bin")) << testing::PrintToString(outcome.problems);
}

// A newline in a name would forge a line of output, a terminal escape would reach the terminal.
TEST_F(Folder, NamesFromTheFolderAreShownEscaped)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows allows no control characters in file names";
#endif
    put("note\ns\x1b[2J.txt", {'x'});
    put("001_t\r101.png", smallPicture());
    std::filesystem::remove(dir.file("001_t101.png"));
    EXPECT_FALSE(import(dir.path()));
    ASSERT_EQ(outcome.problems.size(), 1U);
    EXPECT_EQ(outcome.problems[0].text().substr(0, 15), "001_t\\r101.png:");
    EXPECT_TRUE(std::any_of(outcome.skipped.begin(), outcome.skipped.end(), [](const auto &line) {
        return line.text().rfind("note\\ns\\x1b[2J.txt: ", 0) == 0;
    })) << testing::PrintToString(outcome.skipped);
}

TEST_F(Folder, IndexNamesEachEntryAndItsBootsAndTheImportPassesItBy)
{
    TextureSet::Exported exported;
    std::string error;
    ASSERT_TRUE(TextureSet::exportAll(original, index, kArchive, dir.path(), exported, &error,
                                      [](std::int32_t entry) {
                                          return entry == 1 ? std::vector<std::string>{
                                                                  "Boot, \"one\"", "Boot 4"}
                                                            : std::vector<std::string>{};
                                      }))
        << error;
    const Bytes csv = TestData::readFile(dir.file("index.csv"));
    EXPECT_EQ(std::string(csv.begin(), csv.end()),
              "\xEF\xBB\xBFNumber,Entry,Boots\r\n0,t100,\r\n"
              "1,t101,\"Boot, \"\"one\"\"; Boot 4\"\r\n2,t102,\r\n");
    ASSERT_TRUE(import(dir.path())) << testing::PrintToString(outcome.problems);
    EXPECT_TRUE(outcome.skipped.empty()) << testing::PrintToString(outcome.skipped);
}

TEST_F(Folder, MissingFolderIsAProblem)
{
    EXPECT_FALSE(import(dir.file("gone")));
    ASSERT_EQ(outcome.problems.size(), 1U);
    EXPECT_EQ(outcome.problems[0], Reason(Reasons::Id::NoSuchFolder, {dir.file("gone")}));
}

} // namespace
