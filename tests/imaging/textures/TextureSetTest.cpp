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
#include <optional>
#include <utility>

namespace {

using TestData::Bytes;
using TestData::DdsFormat;
constexpr int kSide = 16;
constexpr const char *kArchive = "unnamed_5756.bin"; ///< the name the fixture's export records
constexpr const char *kOtherName = "unnamed_2113.bin";

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

// Three entries "<prefix>0" to "<prefix>2": archives of other prefixes hold the same textures
// under other names.
Bytes archiveNamed(const std::string &prefix)
{
    std::vector<TestData::ArchiveEntry> entries;
    for (int i = 0; i < 3; ++i)
        entries.push_back(
            {prefix + std::to_string(i),
             TestData::ddsOf(i == 2 ? DdsFormat::Rgb565 : DdsFormat::Dxt5,
                             TestData::pattern(kSide, kSide, i != 2), i == 0 ? 3 : 1)});
    return TestData::textureArchive(entries);
}

// Where the export mark's chunk starts in `png`, and its length with its header and CRC.
std::pair<std::ptrdiff_t, std::ptrdiff_t> markChunk(const Bytes &png)
{
    const char type[] = "tEXt";
    const auto at = std::search(png.begin(), png.end(), type, type + 4) - 4;
    const auto length = static_cast<std::ptrdiff_t>(
        TestData::getInt32(Bytes{at[3], at[2], at[1], at[0]}, 0)); // big-endian
    return {at - png.begin(), 12 + length};
}

class Folder : public testing::Test
{
protected:
    void SetUp() override
    {
        original = archiveNamed("t10");
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
    bool import(const std::string &folder)
    {
        archive = original;
        return TextureSet::importFolder(folder, index, kArchive, archive, outcome);
    }

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
    const auto [at, size] = markChunk(exported);
    ASSERT_GE(at, 0) << "the export marks its files";
    Bytes edited = TestData::png(TestData::solid(kSide, kSide, {250, 10, 10, 255}));
    edited.insert(edited.end() - 12, exported.begin() + at,
                  exported.begin() + at + size); // before the end chunk
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

// Marks as each version of the export wrote them.
enum class Mark {
    Current,  ///< the fingerprints, the archive's identity and its name
    NameOnly, ///< the fingerprints and the name
    Bare,     ///< the fingerprints alone
    Garbled,  ///< an identity that does not read as one, then the name
    None,     ///< no mark at all: a picture from anywhere
};

// `png` with its export mark's text cut down to what `mark` keeps.
Bytes remarked(Bytes png, Mark mark)
{
    const auto [at, size] = markChunk(png);
    const std::string keyword = "Cleatwork export";
    const auto text = png.begin() + at + 8 + static_cast<std::ptrdiff_t>(keyword.size()) + 1;
    const std::string current(text, png.begin() + at + size - 4);
    png.erase(png.begin() + at, png.begin() + at + size);
    const std::string fingerprints = current.substr(0, current.find(" entries "));
    const std::string kept = mark == Mark::Current    ? current
                             : mark == Mark::NameOnly ? fingerprints + " archive " + kArchive
                             : mark == Mark::Bare
                                 ? fingerprints
                                 : fingerprints + " entries three names 0" + " archive " + kArchive;
    if (mark == Mark::None)
        return png;
    Bytes data(keyword.begin(), keyword.end());
    data.push_back(0);
    data.insert(data.end(), kept.begin(), kept.end());
    const Bytes chunk = TestData::pngChunk("tEXt", data);
    png.insert(png.end() - 12, chunk.begin(), chunk.end());
    return png;
}

struct Destination
{
    const char *name;
    Mark mark;
    bool otherEntries; ///< imported into an archive whose entries have other names
    const char *into;  ///< the file name the archive was loaded from
    std::optional<Reasons::Id> refusal = std::nullopt;
};

class ImportInto : public Folder, public testing::WithParamInterface<Destination>
{
};

// Entry numbers of one archive stand for other textures in the other: a marked export goes
// back only into the archive it came from, whatever either file is called, edited or not.
TEST_P(ImportInto, TakesOnlyTheExportOfItsOwnArchive)
{
    const Destination &c = GetParam();
    for (const char *name : {"000_t100.png", "001_t101.png", "002_t102.png"})
        put(name, remarked(TestData::readFile(dir.file(name)), c.mark));
    const Bytes target = c.otherEntries ? archiveNamed("u10") : original;
    Textura targetIndex;
    ASSERT_TRUE(targetIndex.load(target));
    archive = target;
    const bool taken = TextureSet::importFolder(dir.path(), targetIndex, c.into, archive, outcome);
    if (!c.refusal) {
        EXPECT_TRUE(taken) << testing::PrintToString(outcome.problems);
        return;
    }
    EXPECT_FALSE(taken);
    EXPECT_EQ(archive, target);
    ASSERT_EQ(outcome.problems.size(), 3U);
    EXPECT_EQ(
        outcome.problems[0],
        Reason(Reasons::Id::NamedLine, {"000_t100.png", Reason(*c.refusal, {kArchive, c.into})}));
}

INSTANTIATE_TEST_SUITE_P(
    Marks, ImportInto,
    testing::Values(
        Destination{"OwnArchive", Mark::Current, false, kArchive},
        Destination{"RenamedCopy", Mark::Current, false, kOtherName},
        Destination{"OtherArchiveOfTheSameName", Mark::Current, true, kArchive,
                    Reasons::Id::PictureFromOtherEntries},
        Destination{"OtherArchive", Mark::Current, true, kOtherName,
                    Reasons::Id::PictureFromOtherEntries},
        Destination{"OlderMarkIntoItsNameInOtherCase", Mark::NameOnly, false, "UNNAMED_5756.BIN"},
        Destination{"OlderMarkIntoItsNameOnOtherEntries", Mark::NameOnly, true, kArchive},
        Destination{"OlderMarkIntoOtherName", Mark::NameOnly, false, kOtherName,
                    Reasons::Id::PictureFromOtherArchive},
        Destination{"GarbledIdentityCountsAsOlderMark", Mark::Garbled, false, kOtherName,
                    Reasons::Id::PictureFromOtherArchive},
        Destination{"OldestMarkWithoutName", Mark::Bare, true, kOtherName},
        Destination{"Unmarked", Mark::None, true, kOtherName}),
    CaseName::by([](const Destination &c) { return c.name; }));

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
                                          return entry == 1
                                                     ? std::vector<std::string>{"Boot, \"one\"",
                                                                                "Boot 4"}
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
