// Exporting and replacing textures from the command line, checked against the test writer's
// own DDS decoder: only entry N's pixel bytes change, every other byte stays.
#include "CliFixture.h"
#include "PlatformFiles.h"
#include "TestImages.h"

#include "imaging/pictures/PictureReader.h"

#include <filesystem>

namespace {

using TestData::DdsFormat;
using TestData::Image;
namespace fs = std::filesystem;

constexpr int kSide = 64;
constexpr std::size_t kPixelsAt = 16 + 128; // past the entry header and the DDS header

// A PNG the program wrote, read back by the users' picture reader (libpng) at the size its
// header gives; empty when it cannot be read.
Image readPng(const std::string &path)
{
    const std::string file = slurp(path);
    if (file.size() < 24)
        return {};
    const auto bytes = reinterpret_cast<const std::uint8_t *>(file.data());
    const auto big32 = [&](std::size_t at) {
        return static_cast<int>(std::uint32_t{bytes[at]} << 24 |
                                std::uint32_t{bytes[at + 1]} << 16 |
                                std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3]);
    };
    const int width = big32(16);
    const int height = big32(20);
    Picture read;
    if (!PictureReader::read(bytes, file.size(), path, width, height, read, nullptr))
        return {};
    Image got = TestData::solid(width, height, {});
    for (std::size_t i = 0; i < got.pixels.size(); ++i) {
        const std::uint8_t *bgra = read.pixels.data() + i * Picture::kChannels;
        got.pixels[i] = {bgra[2], bgra[1], bgra[0], bgra[3]};
    }
    return got;
}

// Format, mipmap levels and the kind of image file that replaces the middle entry.
struct ReplaceCase
{
    const char *name;
    DdsFormat format;
    int levels;
    Bytes (*file)(const Image &);
    const char *extension;
    bool alpha;       ///< the format keeps the picture's alpha
    double tolerance; ///< mean absolute error allowed per channel
};

void PrintTo(const ReplaceCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReplaceTexture : public Cli, public testing::WithParamInterface<ReplaceCase>
{
protected:
    // Three entries, the middle one to be replaced, and with `broken` a fourth that is no DDS;
    // their names begin with `series`.
    Bytes archive(DdsFormat format, int levels, bool broken = false, char series = 'a')
    {
        const Image other = TestData::solid(8, 8, {10, 200, 30, 255});
        const std::string names = std::string(1, series);
        std::vector<TestData::ArchiveEntry> entries = {
            {names + "a01", TestData::ddsOf(DdsFormat::Dxt5, other)},
            {names + "b12", TestData::ddsOf(format, TestData::solid(kSide, kSide, {}), levels)},
            {names + "c03", TestData::ddsOf(DdsFormat::Rgba32, other, 4)}};
        if (broken)
            entries.push_back({"bad", Bytes(200, 7)});
        return TestData::textureArchive(entries);
    }
};

TEST_P(ReplaceTexture, ChangesOnlyThePixelsOfTheEntry)
{
    const ReplaceCase &c = GetParam();
    const Bytes old = archive(c.format, c.levels);
    const std::string path = dir.file("unnamed_5756.bin");
    TestData::writeFile(path, TestData::wesys(old));
    Image picture = TestData::pattern(kSide, kSide, c.alpha);
    const std::string image = dir.file(std::string("new.") + c.extension);
    TestData::writeFile(image, c.file(picture));
    if (c.file == TestData::bmp)
        picture = TestData::opaque(picture);

    const CliRun r = run("replace-texture '" + path + "' 1 '" + image + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes now = TestData::unwrap(TestData::readFile(path));
    ASSERT_EQ(now.size(), old.size());
    const auto entry = static_cast<std::size_t>(TestData::getInt32(old, 20));
    const std::size_t begin = entry + kPixelsAt;
    const std::size_t end = entry + static_cast<std::size_t>(TestData::getInt32(old, 24));
    EXPECT_TRUE(
        std::equal(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(begin), now.begin()))
        << "table, other entries, entry header and DDS header stay";
    EXPECT_TRUE(std::equal(old.begin() + static_cast<std::ptrdiff_t>(end), old.end(),
                           now.begin() + static_cast<std::ptrdiff_t>(end)));
    const Bytes dds(now.begin() + static_cast<std::ptrdiff_t>(entry + 16),
                    now.begin() + static_cast<std::ptrdiff_t>(end));
    Image expected = c.alpha ? picture : TestData::opaque(picture);
    // The smallest levels hold the pattern in one or two blocks; they are left unmeasured.
    for (int level = 0; level < c.levels && (kSide >> level) >= 16; ++level) {
        const Image decoded = TestData::decodeDds(dds, level);
        for (int channel = 0; channel < 4; ++channel)
            // Small levels hold the pattern's detail in few blocks: a looser bound.
            EXPECT_LE(TestData::meanError(decoded, expected, channel),
                      level == 0 || c.tolerance == 0 ? c.tolerance : 0.08)
                << "level " << level << " channel " << channel;
        expected = TestData::halve(expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ReplaceTexture,
    testing::Values(
        ReplaceCase{"Dxt1FromPng", DdsFormat::Dxt1, 1, TestData::png, "png", false, 0.02},
        ReplaceCase{"Dxt3FromTgaWithMipmaps", DdsFormat::Dxt3, 7, TestData::tga, "tga", true, 0.02},
        ReplaceCase{"Dxt5FromPngWithMipmaps", DdsFormat::Dxt5, 7, TestData::png, "png", true, 0.02},
        ReplaceCase{"Rgba32FromPngExactly", DdsFormat::Rgba32, 1, TestData::png, "png", true, 0},
        ReplaceCase{"Rgb24FromBmpWithMipmapsExactly", DdsFormat::Rgb24, 3, TestData::bmp, "bmp",
                    false, 0},
        ReplaceCase{"Rgb565FromPng", DdsFormat::Rgb565, 1, TestData::png, "png", false, 0.02}),
    [](const testing::TestParamInfo<ReplaceCase> &p) { return p.param.name; });

TEST_F(ReplaceTexture, DdsOfTheSameLayoutIsCopiedAsItIs)
{
    const Bytes old = archive(DdsFormat::Dxt5, 3);
    const std::string path = dir.file("unnamed_5756.bin");
    TestData::writeFile(path, TestData::wesys(old));
    const Bytes given = TestData::ddsOf(DdsFormat::Dxt5, TestData::pattern(kSide, kSide, true), 3);
    TestData::writeFile(dir.file("new.dds"), given);
    const CliRun r = run("replace-texture '" + path + "' 1 '" + dir.file("new.dds") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes expected = old;
    const auto entry = static_cast<std::size_t>(TestData::getInt32(old, 20));
    std::copy(given.begin() + 128, given.end(),
              expected.begin() + static_cast<std::ptrdiff_t>(entry + kPixelsAt));
    EXPECT_EQ(TestData::unwrap(TestData::readFile(path)), expected);
}

TEST_F(ReplaceTexture, RefusedInputsLeaveTheArchiveAlone)
{
    const Bytes old = archive(DdsFormat::Dxt5, 3, true);
    const std::string path = dir.file("unnamed_5756.bin");
    const Bytes wrapped = TestData::wesys(old);
    TestData::writeFile(path, wrapped);
    const Image picture = TestData::pattern(kSide, kSide, true);
    TestData::writeFile(dir.file("small.png"), TestData::png(TestData::pattern(32, kSide, true)));
    TestData::writeFile(dir.file("good.png"), TestData::png(picture));
    Bytes cut = TestData::png(picture);
    cut.resize(cut.size() / 2);
    TestData::writeFile(dir.file("cut.png"), cut);
    TestData::writeFile(dir.file("text.png"), Bytes(300, 'x'));
    TestData::writeFile(dir.file("dxt1.dds"), TestData::ddsOf(DdsFormat::Dxt1, picture, 3));
    TestData::writeFile(dir.file("flat.dds"), TestData::ddsOf(DdsFormat::Dxt5, picture, 1));
    TestData::writeFile(dir.file("huge.png"), TestData::png(picture));
    fs::resize_file(dir.file("huge.png"), std::uintmax_t{300} << 20); // sparse: never read
    const std::string before = dir.listing();
    const struct
    {
        const char *entry;
        const char *image;
        const char *says;
    } cases[] = {{"1", "small.png", "32 x 64"},
                 {"1", "missing.png", "cannot read"},
                 {"1", "cut.png", "cut short"},
                 {"1", "text.png", "not a PNG"},
                 {"1", "dxt1.dds", "DXT1"},
                 {"1", "flat.dds", "1 mipmap"},
                 {"1", "huge.png", "larger than 256 MiB"},
                 {"3", "good.png", "not a valid DDS"},
                 {"4", "good.png", "no entry 4"}};
    for (const auto &c : cases) {
        const CliRun r =
            run("replace-texture '" + path + "' " + c.entry + " '" + dir.file(c.image) + "'");
        EXPECT_EQ(r.status, 1) << c.image;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(TestData::readFile(path), wrapped);
    EXPECT_EQ(dir.listing(), before) << "nothing written beside the archive";
}

TEST_F(ReplaceTexture, ResizeFitsAPictureOfAnotherSizeForOneEntryOrAFolder)
{
    const std::string path = dir.file("unnamed_5756.bin");
    TestData::writeFile(path, TestData::wesys(archive(DdsFormat::Dxt5, 7)));
    const Image small = TestData::solid(100, 60, {200, 30, 10, 255});
    TestData::writeFile(dir.file("small.png"), TestData::png(small));
    const std::string replace = "replace-texture '" + path + "' 1 '" + dir.file("small.png") + "'";
    EXPECT_EQ(run(replace).status, 1) << "refused as before without --resize";
    const CliRun r = run(replace + " --resize");
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes now = TestData::unwrap(TestData::readFile(path));
    const auto entry = static_cast<std::size_t>(TestData::getInt32(now, 20));
    const auto length = static_cast<std::size_t>(TestData::getInt32(now, 24));
    const Image decoded =
        TestData::decodeDds(Bytes(now.begin() + static_cast<std::ptrdiff_t>(entry + 16),
                                  now.begin() + static_cast<std::ptrdiff_t>(entry + length)));
    EXPECT_LT(TestData::meanError(decoded, TestData::solid(kSide, kSide, small.pixels[0]), 0),
              0.03);

    fs::create_directory(dir.file("set"));
    TestData::writeFile(dir.file("set/001_ab12.png"),
                        TestData::png(TestData::solid(30, 90, {10, 20, 250, 255})));
    const std::string import = "textures '" + path + "' --import '" + dir.file("set") + "'";
    EXPECT_EQ(run(import).status, 1);
    const CliRun imported = run(import + " --resize");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("1 textures replaced"), std::string::npos) << imported.out;
}

// Every entry exported as a PNG that libpng reads back as the test decoder decodes it.
TEST_F(Cli, TexturesExportWritesEveryValidEntryAsPng)
{
    const Image picture = TestData::pattern(32, 16, true);
    const DdsFormat formats[] = {DdsFormat::Dxt1,   DdsFormat::Dxt3,  DdsFormat::Dxt5,
                                 DdsFormat::Rgba32, DdsFormat::Rgb24, DdsFormat::Rgb565};
    std::vector<TestData::ArchiveEntry> entries;
    for (DdsFormat f : formats)
        entries.push_back(
            {"e" + std::to_string(entries.size()) + "/x", TestData::ddsOf(f, picture, 2)});
    entries.push_back({"bad", Bytes(40, 7)});
    const std::string path = dir.file("unnamed_2113.bin");
    TestData::writeFile(path, TestData::wesys(TestData::textureArchive(entries)));
    const CliRun r = run("textures '" + path + "' --export '" + dir.file("out") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("skipped entry 6 (bad"), std::string::npos) << r.err;
    ASSERT_EQ(run("texture '" + path + "' 2 '" + dir.file("one.PNG") + "'").status, 0);
    // The export writes the same PNG, with its fingerprint chunk before the closing IEND.
    const Bytes one = TestData::readFile(dir.file("one.PNG"));
    const Bytes exported = TestData::readFile(dir.file("out/002_e2_x.png"));
    ASSERT_GT(one.size(), 12u);
    ASSERT_GT(exported.size(), one.size());
    EXPECT_TRUE(std::equal(one.begin(), one.end() - 12, exported.begin()))
        << "one entry converted to PNG as the export writes it";
    EXPECT_TRUE(std::equal(one.end() - 12, one.end(), exported.end() - 12));
    for (std::size_t i = 0; i < std::size(formats); ++i) {
        const std::string png =
            dir.file("out/00" + std::to_string(i) + "_e" + std::to_string(i) + "_x.png");
        const Image got = readPng(png);
        ASSERT_EQ(got.width, 32) << png;
        const Image expected = TestData::decodeDds(entries[i].texture);
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_LE(TestData::meanError(got, expected, channel), 0.01) << png << " " << channel;
    }
}

// A DXT texture whose sides are not multiples of 4 exports at its true size, as decoded.
TEST_F(Cli, OddSizedDxtEntryExportsToPng)
{
    const Bytes dds = TestData::ddsOf(DdsFormat::Dxt5, TestData::pattern(250, 130, true), 8);
    const std::string path = dir.file("unnamed_5756.bin");
    TestData::writeFile(path, TestData::wesys(TestData::textureArchive({{"ab12", dds}})));
    const CliRun r = run("texture '" + path + "' 0 '" + dir.file("out.png") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const Image got = readPng(dir.file("out.png"));
    ASSERT_EQ(got.width, 250);
    ASSERT_EQ(got.height, 130);
    const Image expected = TestData::decodeDds(dds);
    for (int channel = 0; channel < 4; ++channel)
        EXPECT_LE(TestData::meanError(got, expected, channel), 0.004) << channel;
}

TEST_F(Cli, TexturesExportSkipsANameThatIsALink)
{
    const std::string path = dir.file("unnamed_2113.bin");
    TestData::writeFile(path, TestData::wesys(TestData::textureArchive(
                                  {{"ab12", TestData::dds(DdsFormat::Rgb24, 4, 4, {})},
                                   {"cd34", TestData::dds(DdsFormat::Rgb24, 4, 4, {})}})));
    fs::create_directory(dir.file("out"));
    TestData::writeFile(dir.file(".profile"), Bytes{'h', 'i'});
    std::string whyNot;
    if (!PlatformFiles::makeLink(dir.file(".profile"), dir.file("out/000_ab12.png"), &whyNot))
        GTEST_SKIP() << whyNot;
    const CliRun r = run("textures '" + path + "' --export '" + dir.file("out") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("skipped entry 0 (ab12): "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("is a symbolic link"), std::string::npos) << r.err;
    EXPECT_EQ(TestData::readFile(dir.file(".profile")), (Bytes{'h', 'i'}));
    EXPECT_TRUE(fs::exists(dir.file("out/001_cd34.png")));
}

// textures --import: an untouched export leaves the file as it is (not even rewritten), a
// dry run writes nothing, and a refusal names its file and leaves the archive.
TEST_F(ReplaceTexture, ImportOfAFolderIsAllOrNothing)
{
    const std::string path = dir.file("unnamed_5756.bin");
    const Bytes wrapped = TestData::wesys(archive(DdsFormat::Dxt5, 3));
    TestData::writeFile(path, wrapped);
    const std::string folder = dir.file("set");
    ASSERT_EQ(run("textures '" + path + "' --export '" + folder + "'").status, 0);
    struct stat before
    {
    };
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    CliRun r = run("textures '" + path + "' --import '" + folder + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0 textures replaced, 3 unchanged, 0 files skipped\n");
    struct stat after
    {
    };
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file is not rewritten";

    TestData::writeFile(folder + "/001_ab12.png",
                        TestData::png(TestData::pattern(kSide, kSide, true)));
    r = run("textures '" + path + "' --import '" + folder + "' --dry-run");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("would replace entry 1 from 001_ab12.png"), std::string::npos) << r.out;
    TestData::writeFile(folder + "/002_ac03.png", TestData::png(TestData::solid(3, 3, {})));
    r = run("textures '" + path + "' --import '" + folder + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("002_ac03.png: the image is 3 x 3"), std::string::npos) << r.err;
    EXPECT_EQ(TestData::readFile(path), wrapped);
}

// A FIFO named like a picture is refused at once, never waited on; the guard turns a wait
// into a failure instead of a hung test.
TEST_F(ReplaceTexture, FifoInPlaceOfAPictureIsRefusedAtOnce)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs among the files of a folder";
#else
    const std::string path = dir.file("unnamed_5756.bin");
    const Bytes wrapped = TestData::wesys(archive(DdsFormat::Dxt5, 3));
    TestData::writeFile(path, wrapped);
    ASSERT_EQ(::mkfifo(dir.file("001_ab12.png").c_str(), 0600), 0);
    const CliRun r =
        run("replace-texture '" + path + "' 1 '" + dir.file("001_ab12.png") + "'", "timeout 20 ");
    EXPECT_EQ(r.status, 1) << "124 when it waited";
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    EXPECT_EQ(TestData::readFile(path), wrapped);
#endif
}

// Entry 1 of one archive is another texture in the other: an export goes back only into the
// archive it came from, whatever its file is called now. The lines name the file and both
// archives, and nothing is written.
TEST_F(ReplaceTexture, ImportIntoTheOtherArchiveIsRefused)
{
    const std::string first = dir.file("unnamed_5756.bin");
    const std::string copy = dir.file("copy.bin");
    const std::string second = dir.file("unnamed_2113.bin");
    const Bytes wrapped = TestData::wesys(archive(DdsFormat::Dxt5, 3, false, 'b'));
    TestData::writeFile(first, TestData::wesys(archive(DdsFormat::Dxt5, 3)));
    TestData::writeFile(copy, TestData::readFile(first));
    TestData::writeFile(second, wrapped);
    const std::string folder = dir.file("set");
    ASSERT_EQ(run("textures '" + first + "' --export '" + folder + "'").status, 0);
    TestData::writeFile(folder + "/001_ab12.png",
                        TestData::png(TestData::pattern(kSide, kSide, true)));
    CliRun r = run("textures '" + copy + "' --import '" + folder + "' --dry-run");
    EXPECT_EQ(r.status, 0) << r.err;
    r = run("textures '" + second + "' --import '" + folder + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("000_aa01.png: the picture was exported from another archive, "
                         "unnamed_5756.bin, whose entries differ from those of unnamed_2113.bin"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("001_ab12.png"), std::string::npos) << "an unmarked picture is taken";
    EXPECT_EQ(TestData::readFile(second), wrapped);
}

// A name that would forge a line of the output, or speak to the terminal, is printed escaped.
TEST_F(ReplaceTexture, NamesFromTheFolderCannotForgeOutput)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows allows no control characters in file names";
#endif
    const std::string path = dir.file("unnamed_5756.bin");
    TestData::writeFile(path, TestData::wesys(archive(DdsFormat::Dxt5, 3)));
    const std::string folder = dir.file("set");
    std::filesystem::create_directory(folder);
    TestData::writeFile(folder + "/001_a\nreplaced entry 2 from \x1b[31mb.png",
                        TestData::png(TestData::pattern(kSide, kSide, true)));
    TestData::writeFile(folder + "/notes\r.txt", {'x'});
    const CliRun r = run("textures '" + path + "' --import '" + folder + "' --dry-run");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "skipped notes\\r.txt: not named <number>_<name> with the extension png, "
                     "bmp, tga, jpg, jpeg or dds\n"
                     "would replace entry 1 from 001_a\\nreplaced entry 2 from \\x1b[31mb.png\n"
                     "1 textures replaced, 0 unchanged, 1 files skipped (dry run: nothing "
                     "written)\n");
}

} // namespace
