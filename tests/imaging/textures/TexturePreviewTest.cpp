#include "CaseName.h"
#include "imaging/textures/TexturePreview.h"

#include "TempDir.h"
#include "TestData.h"
#include "archive/Textura.h"

#include "imaging/pictures/PictureReader.h"

#include <filesystem>
#include <gtest/gtest.h>

using TestData::Bytes;
using TestData::DdsFormat;
using TestData::Rgba;

namespace fs = std::filesystem;

namespace {

class Preview : public testing::Test
{
protected:
    void writeArchive(const std::vector<TestData::ArchiveEntry> &entries)
    {
        archive = archiveDir.file("File1");
        TestData::writeFile(archive, TestData::textureArchive(entries));
        ASSERT_TRUE(index.Wczytaj(archive));
    }

    // The preview of entry k, with the positions the window takes from the index.
    bool show(int k) { return preview.run(archive, ::ArchiveEntry::of(index, k), bitmap); }

    // The colour of the bitmap's top-left pixel, read by the users' BMP reader at the size
    // the bitmap's header gives.
    Rgba pixel(const std::string &path)
    {
        const Bytes file = TestData::readFile(path);
        Rgba c;
        EXPECT_GE(file.size(), 26u);
        if (file.size() < 26)
            return c;
        const auto le32 = [&](std::size_t at) {
            return static_cast<int>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
                                    file[at + 3] << 24);
        };
        Picture read;
        std::string error;
        EXPECT_TRUE(PictureReader::read(file.data(), file.size(), path, le32(18), le32(22), read,
                                        &error))
            << error;
        EXPECT_GT(read.width, 0);
        if (read.pixels.size() < 4)
            return c;
        c = {read.pixels[2], read.pixels[1], read.pixels[0], read.pixels[3]};
        return c;
    }

    TempDir programParent; // the program folder's own, to see that nothing lands past it
    TempDir programDir{programParent.path()};
    TempDir archiveDir;
    TexturePreview preview{programDir.path()};
    Textura index;
    std::string archive;
    std::string bitmap;
};

struct FormatCase
{
    DdsFormat format;
    const char *name;
    friend void PrintTo(const FormatCase &c, std::ostream *os) { *os << c.name; }
};

class PreviewFormats : public Preview, public testing::WithParamInterface<FormatCase>
{
};

TEST_P(PreviewFormats, ConvertsTheTextureToABitmapOfItsColour)
{
    const Rgba colour{200, 100, 48, 255};
    writeArchive({{"ab12", TestData::dds(GetParam().format, 32, 16, colour)}});
    ASSERT_TRUE(show(0)) << preview.errorString();
    EXPECT_EQ(bitmap, programDir.file("ab12.bmp"));
    EXPECT_EQ(programDir.listing(), "ab12.bmp") << "the entry file is gone, the bitmap stays";
    const Rgba got = pixel(bitmap);
    EXPECT_NEAR(got.r, colour.r, 8);
    EXPECT_NEAR(got.g, colour.g, 8);
    EXPECT_NEAR(got.b, colour.b, 8);
    EXPECT_EQ(preview.entryName(), "ab12");
}

INSTANTIATE_TEST_SUITE_P(Formats, PreviewFormats,
                         testing::Values(FormatCase{DdsFormat::Rgb24, "Rgb24"},
                                         FormatCase{DdsFormat::Rgba32, "Rgba32"},
                                         FormatCase{DdsFormat::Dxt1, "Dxt1"},
                                         FormatCase{DdsFormat::Dxt5, "Dxt5"}),
                         CaseName::by([](const auto &c) { return std::string(c.name); }));

TEST_F(Preview, NextPreviewReplacesOnlyItsOwnBitmap)
{
    writeArchive({{"ab12", TestData::dds(DdsFormat::Dxt1, 8, 8, {255, 0, 0, 255})},
                  {"cd34", TestData::dds(DdsFormat::Dxt1, 8, 8, {0, 0, 255, 255})}});
    TestData::writeFile(programDir.file("mine.bmp"), Bytes{1});
    TestData::writeFile(programDir.file("notes.tex"), Bytes{2});
    ASSERT_TRUE(show(0));
    ASSERT_TRUE(show(1));
    EXPECT_EQ(programDir.listing(), "cd34.bmp mine.bmp notes.tex");
    EXPECT_GT(pixel(bitmap).b, 200);
}

TEST_F(Preview, UndecodableTextureKeepsThePreviousBitmap)
{
    Bytes notDds(200, 0x11);
    Bytes truncated = TestData::dds(DdsFormat::Dxt5, 64, 64, {});
    truncated.resize(truncated.size() / 2);
    writeArchive({{"good", TestData::dds(DdsFormat::Rgb24, 4, 4, {9, 9, 9, 255})},
                  {"junk", notDds},
                  {"half", truncated}});
    ASSERT_TRUE(show(0));
    EXPECT_FALSE(show(1));
    EXPECT_FALSE(show(2));
    EXPECT_EQ(programDir.listing(), "good.bmp");
    EXPECT_EQ(preview.lastBitmap(), programDir.file("good.bmp"));
}

struct HostileName
{
    std::string name;
    friend void PrintTo(const HostileName &c, std::ostream *os)
    {
        *os << c.name.size() << " bytes";
    }
};

class PreviewNames : public Preview, public testing::WithParamInterface<HostileName>
{
};

TEST_P(PreviewNames, UnsafeNamesWriteNothing)
{
    writeArchive({{GetParam().name, TestData::dds(DdsFormat::Dxt1, 4, 4, {})}});
    EXPECT_FALSE(show(0));
    EXPECT_EQ(programDir.listing(), "");
    EXPECT_EQ(archiveDir.listing(), "File1") << "nothing is written beside the archive";
    EXPECT_FALSE(fs::exists(fs::path(programParent.path()) / "x"));
}

INSTANTIATE_TEST_SUITE_P(Names, PreviewNames,
                         testing::Values(HostileName{"../x"}, HostileName{std::string("..\0\0", 4)},
                                         HostileName{std::string(".\0\0\0", 4)},
                                         HostileName{"a/bc"}, HostileName{"a\\bc"},
                                         HostileName{std::string("ab\0c", 4)},
                                         HostileName{"ab\ncd"}, HostileName{"abc."},
                                         HostileName{"ab:c"},
                                         HostileName{std::string("\0\0\0\0", 4)}),
                         CaseName::by([](const auto &c) { return c.name; }, "named"));

// An entry at the one-based data and name positions.
::ArchiveEntry at(std::int64_t data, std::int64_t length, std::int64_t name)
{
    return {data - 1, length, name - 1};
}

TEST_F(Preview, PositionsOutsideTheArchiveAreSkipped)
{
    writeArchive({{"ab12", TestData::dds(DdsFormat::Dxt1, 4, 4, {})}});
    const std::int64_t size = static_cast<std::int64_t>(fs::file_size(archive));
    const std::int64_t data = index.Get_Offset(0) + 1;
    const std::int64_t name = index.Get_Nazwa(0) + 12;
    const std::int64_t length = index.Get_Lenght(0);
    EXPECT_FALSE(preview.run(archive, at(data, length, size), bitmap)) << "name runs past the end";
    EXPECT_FALSE(preview.run(archive, at(data, length, 0), bitmap));
    EXPECT_FALSE(preview.run(archive, at(data, length, -5), bitmap));
    EXPECT_FALSE(preview.run(archive, at(data, length + 1, name), bitmap))
        << "data runs past the end";
    EXPECT_FALSE(preview.run(archive, at(size + 10, 40, name), bitmap));
    EXPECT_FALSE(preview.run(archive, at(-100, length, name), bitmap));
    EXPECT_FALSE(preview.run(archive, at(data, 16, name), bitmap)) << "16 bytes hold no texture";
    EXPECT_FALSE(preview.run(archive, at(data, -1, name), bitmap));
    EXPECT_FALSE(preview.run(archive, at(data, INT32_MAX, name), bitmap));
    EXPECT_EQ(programDir.listing(), "");
    EXPECT_TRUE(preview.run(archive, at(data, length, name), bitmap));
}

} // namespace
