// The image reader and the DDS decoder under malformed files, and the names an export gives.
#include "TestData.h"
#include "TestImages.h"
#include "imaging/dds/DdsLayout.h"
#include "imaging/textures/TextureExport.h"
#include "imaging/textures/TextureImage.h"
#include "imaging/textures/TextureReplacer.h"

#include <gtest/gtest.h>

using TestData::Bytes;
using TestData::DdsFormat;

namespace {

constexpr int kSide = 16;

Bytes cut(Bytes data, std::size_t keep)
{
    data.resize(std::min(keep, data.size()));
    return data;
}

Bytes patched(Bytes data, std::size_t at, std::initializer_list<std::uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
    return data;
}

struct MalformedCase
{
    const char *name;
    Bytes file;
    const char *fileName;
};

void PrintTo(const MalformedCase &c, std::ostream *os)
{
    *os << c.name;
}

class MalformedImage : public testing::TestWithParam<MalformedCase>
{
};

TEST_P(MalformedImage, IsRefusedWithAReason)
{
    const MalformedCase &c = GetParam();
    Picture picture;
    std::string error;
    const bool read =
        c.file.size() >= 4 && TestData::getInt32(c.file, 0) == 0x20534444 // "DDS "
            ? TextureImage::decodeDds(c.file.data(), c.file.size(), picture, &error)
            : TextureImage::readImage(c.file, c.fileName, kSide, kSide, picture, &error);
    EXPECT_FALSE(read);
    EXPECT_FALSE(error.empty());
}

const TestData::Image kPicture = TestData::pattern(kSide, kSide, true);

INSTANTIATE_TEST_SUITE_P(
    Reader, MalformedImage,
    testing::Values(
        MalformedCase{"EmptyFile", {}, "a.png"},
        MalformedCase{"PngCutInItsData", cut(TestData::png(kPicture), 60), "a.png"},
        MalformedCase{"PngCutAfterItsHeader", cut(TestData::png(kPicture), 33), "a.png"},
        MalformedCase{"PngOfHugeSize", patched(TestData::png(kPicture), 16, {0x7F, 0, 0, 0}),
                      "a.png"},
        MalformedCase{"PngWithBrokenData", patched(TestData::png(kPicture), 45, {1, 2, 3, 4, 5}),
                      "a.png"},
        MalformedCase{"BmpOfHugeSize", patched(TestData::bmp(kPicture), 18, {0, 0, 0, 0x7F}),
                      "a.bmp"},
        MalformedCase{"BmpWithNegativeWidth",
                      patched(TestData::bmp(kPicture), 18, {0xF0, 0xFF, 0xFF, 0xFF}), "a.bmp"},
        MalformedCase{"BmpOfZeroBitsAPixel", patched(TestData::bmp(kPicture), 28, {0, 0}), "a.bmp"},
        MalformedCase{"TgaCutShort", cut(TestData::tga(kPicture), 18), "a.tga"},
        MalformedCase{"BmpCutShort", cut(TestData::bmp(kPicture), 100), "a.bmp"},
        MalformedCase{"UnknownFormat", Bytes(64, 'x'), "a.png"},
        MalformedCase{"DdsCutInItsMipmaps", cut(TestData::ddsOf(DdsFormat::Dxt5, kPicture, 5), 400),
                      "a.dds"},
        MalformedCase{"DdsClaimingTooManyMipmaps",
                      patched(TestData::ddsOf(DdsFormat::Dxt1, kPicture, 5), 28, {40}), "a.dds"},
        MalformedCase{"DdsOfHugeSize",
                      patched(TestData::ddsOf(DdsFormat::Dxt1, kPicture), 12, {0, 0, 1}), "a.dds"}),
    [](const testing::TestParamInfo<MalformedCase> &p) { return p.param.name; });

TEST(TextureImage, DdsWithoutAlphaDecodesOpaque)
{
    const TestData::Image source = TestData::pattern(8, 8, true);
    Bytes dds = TestData::ddsOf(DdsFormat::Rgba32, source);
    dds[80] = 0x40; // an alpha byte that the format does not declare
    Picture picture;
    ASSERT_TRUE(TextureImage::decodeDds(dds.data(), dds.size(), picture, nullptr));
    for (std::size_t i = 3; i < picture.pixels.size(); i += 4)
        ASSERT_EQ(picture.pixels[i], 255);
}

// What an undo step does: the texture kept before a replacement, copied back.
TEST(TextureReplacer, KeptTextureUndoesAReplacement)
{
    const Bytes old = TestData::textureArchive(
        {{"ab12", TestData::ddsOf(DdsFormat::Dxt5, TestData::solid(8, 8, {1, 2, 3, 4}), 4)}});
    const auto entry = ArchiveEntry::of(
        {TestData::getInt32(old, 8), TestData::getInt32(old, 12), TestData::getInt32(old, 16)});
    Bytes archive = old;
    Bytes kept;
    ASSERT_TRUE(TextureReplacer::entryTexture(archive, entry, kept, nullptr));
    const Picture picture{8, 8, Bytes(8 * 8 * 4, 200)};
    ASSERT_TRUE(TextureReplacer::replace(archive, entry, picture, nullptr));
    ASSERT_NE(archive, old);
    ASSERT_TRUE(TextureReplacer::replaceWithDds(archive, entry, kept, nullptr));
    EXPECT_EQ(archive, old);
}

TEST(TextureExport, FileNamesAreNumberedAndSafe)
{
    EXPECT_EQ(TextureExport::fileName(7, 18, "ab12"), "007_ab12.png");
    EXPECT_EQ(TextureExport::fileName(7, 1500, "ab12"), "0007_ab12.png");
    EXPECT_EQ(TextureExport::fileName(12, 18, std::string("a/\\:", 4)), "012_a___.png");
    EXPECT_EQ(TextureExport::fileName(0, 1, std::string("ab\0\0", 4)), "000_ab.png");
    EXPECT_EQ(TextureExport::fileName(1, 2, "\x01?*\xE9"), "001____é.png");
}

} // namespace
