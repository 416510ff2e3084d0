// Pictures of another size than their texture's: refused unless the user asked for a resize,
// and resized with a filter that keeps colours true and alpha edges clean.
#include "CaseName.h"
#include "TestData.h"
#include "TestImages.h"
#include "imaging/pictures/PictureResize.h"
#include "imaging/textures/TextureImage.h"
#include "imaging/textures/TextureReplacer.h"
#include "imaging/textures/TextureSet.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using TestData::Bytes;
using TestData::DdsFormat;
using Fit = TextureReplacer::Fit;

namespace {

Picture solidPicture(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r,
                     std::uint8_t a)
{
    Picture p{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        p.pixels.insert(p.pixels.end(), {b, g, r, a});
    return p;
}

struct SizeCase
{
    const char *name;
    int fromWidth, fromHeight, toWidth, toHeight;
};

class ResizedSolid : public testing::TestWithParam<SizeCase>
{
};

TEST_P(ResizedSolid, KeepsItsColourExactly)
{
    const SizeCase &c = GetParam();
    Picture resized;
    std::string error;
    ASSERT_TRUE(PictureResize::resize(solidPicture(c.fromWidth, c.fromHeight, 40, 120, 200, 255),
                                      c.toWidth, c.toHeight, resized, &error))
        << error;
    ASSERT_EQ(resized.width, c.toWidth);
    ASSERT_EQ(resized.height, c.toHeight);
    EXPECT_EQ(resized.pixels, solidPicture(c.toWidth, c.toHeight, 40, 120, 200, 255).pixels);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResizedSolid,
                         testing::Values(SizeCase{"Up_100x60_to_256x256", 100, 60, 256, 256},
                                         SizeCase{"Down_300x300_to_64x64", 300, 300, 64, 64},
                                         SizeCase{"OnePixel_to_8x8", 1, 1, 8, 8}),
                         CaseName::by([](const SizeCase &c) { return c.name; }));

TEST(PictureResize, TransparentColourDoesNotBleedIntoTheEdges)
{
    // Left half opaque green, right half fully transparent but stored as bright red: a filter
    // that ignores alpha would tint the green edge red.
    Picture picture = solidPicture(10, 10, 0, 200, 0, 255);
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x) {
            std::uint8_t *px = &picture.pixels[static_cast<std::size_t>(y * 10 + x) * 4];
            px[0] = 0, px[1] = 0, px[2] = 255, px[3] = 0;
        }
    Picture resized;
    ASSERT_TRUE(PictureResize::resize(picture, 37, 23, resized, nullptr));
    for (std::size_t i = 0; i < resized.pixels.size(); i += 4) {
        if (resized.pixels[i + 3] > 0) {
            EXPECT_LE(resized.pixels[i + 2], 2) << "red in a visible pixel at " << i / 4;
        }
    }
}

TEST(PictureResize, EmptyTargetIsRefused)
{
    Picture resized;
    std::string error;
    EXPECT_FALSE(PictureResize::resize(solidPicture(4, 4, 1, 2, 3, 255), 0, 4, resized, &error));
    EXPECT_FALSE(error.empty());
}

// A one-entry archive of a 64 x 64 DXT5 texture with mipmaps.
Bytes archiveOf64()
{
    return TestData::textureArchive(
        {{"ab12", TestData::ddsOf(DdsFormat::Dxt5, TestData::solid(64, 64, {}), 7)}});
}

TEST(ReplaceWithOtherSize, IsRefusedForItsSizeUnlessResized)
{
    Bytes archive = archiveOf64();
    Textura index;
    ASSERT_TRUE(index.load(archive));
    const Bytes small = TestData::png(TestData::solid(100, 60, {200, 30, 10, 255}));
    Reason error;
    Bytes refused = archive;
    EXPECT_FALSE(TextureReplacer::replaceFromFile(refused, ArchiveEntry::of(index, 0), small,
                                                  "small.png", &error));
    EXPECT_TRUE(TextureReplacer::refusedForSize(error)) << error.text();
    EXPECT_EQ(refused, archive);

    bool changed = false;
    ASSERT_TRUE(TextureReplacer::replaceFromFile(archive, ArchiveEntry::of(index, 0), small,
                                                 "small.png", &error, &changed, Fit::Resize))
        << error.text();
    EXPECT_TRUE(changed);
    Picture decoded;
    ASSERT_TRUE(TextureImage::decodeEntry(archive, ArchiveEntry::of(index, 0), decoded, &error));
    ASSERT_EQ(decoded.width, 64);
    EXPECT_NEAR(decoded.pixels[2], 200, 8) << "red of the first pixel";
}

TEST(ReplaceWithOtherSize, DdsOfAnotherSizeIsNoSizeRefusal)
{
    Bytes archive = archiveOf64();
    Textura index;
    ASSERT_TRUE(index.load(archive));
    Reason error;
    EXPECT_FALSE(TextureReplacer::replaceFromFile(
        archive, ArchiveEntry::of(index, 0),
        TestData::ddsOf(DdsFormat::Dxt5, TestData::solid(32, 32, {}), 6), "x.dds", &error,
        nullptr, Fit::Resize));
    EXPECT_FALSE(TextureReplacer::refusedForSize(error)) << error.text();
}

TEST(ImportWithOtherSize, CountsTheSizeRefusalsAndResizesWhenAsked)
{
    const Bytes original = archiveOf64();
    Textura index;
    ASSERT_TRUE(index.load(original));
    TempDir dir;
    TestData::writeFile(dir.file("000_ab12.png"),
                        TestData::png(TestData::solid(100, 60, {10, 200, 30, 255})));
    Bytes archive = original;
    TextureSet::Outcome outcome;
    EXPECT_FALSE(TextureSet::importFolder(dir.path(), index, "unnamed_5756.bin", archive, outcome));
    EXPECT_EQ(outcome.otherSize, 1);
    archive = original;
    ASSERT_TRUE(TextureSet::importFolder(dir.path(), index, "unnamed_5756.bin", archive, outcome, {},
                                         Fit::Resize))
        << testing::PrintToString(outcome.problems);
    EXPECT_EQ(outcome.replaced.size(), 1U);
}

} // namespace
