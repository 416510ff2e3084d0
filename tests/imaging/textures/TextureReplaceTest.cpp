// Replacing a texture: a picture fills every mipmap level of an entry whose sides are not a
// multiple of 4, and a picture of another size is refused unless the user asked for a resize.
#include "TempDir.h"
#include "TestImages.h"
#include "imaging/textures/TextureImage.h"
#include "imaging/textures/TextureReplacer.h"
#include "imaging/textures/TextureSet.h"

#include <gtest/gtest.h>

namespace {

using TestData::Bytes;
using TestData::DdsFormat;
using TestData::Image;
using Fit = TextureReplacer::Fit;

constexpr int kLevels = 3;

TEST(TextureReplacer, OddSizedDxtEntryTakesAPictureInEveryLevel)
{
    const Image picture = TestData::pattern(37, 11, true);
    const Bytes old = TestData::textureArchive(
        {{"ab12", TestData::ddsOf(DdsFormat::Dxt5, TestData::solid(37, 11, {}), kLevels)}});
    const auto entry = ArchiveEntry::of(
        {TestData::getInt32(old, 8), TestData::getInt32(old, 12), TestData::getInt32(old, 16)});
    Bytes archive = old;
    Picture given{37, 11, {}};
    for (const TestData::Rgba &p : picture.pixels)
        given.pixels.insert(given.pixels.end(), {p.b, p.g, p.r, p.a});
    std::string error;
    ASSERT_TRUE(TextureReplacer::replace(archive, entry, given, &error)) << error;
    const Bytes dds(archive.begin() + entry.textureOffset(), archive.end());
    Image expected = picture;
    for (int level = 0; level < kLevels; ++level) {
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_LE(TestData::meanError(TestData::decodeDds(dds, level), expected, channel),
                      level == 0 ? 0.04 : 0.08)
                << "level " << level << " channel " << channel;
        expected = TestData::halve(expected);
    }
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
        TestData::ddsOf(DdsFormat::Dxt5, TestData::solid(32, 32, {}), 6), "x.dds", &error, nullptr,
        Fit::Resize));
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
    ASSERT_TRUE(TextureSet::importFolder(dir.path(), index, "unnamed_5756.bin", archive, outcome,
                                         {}, Fit::Resize))
        << testing::PrintToString(outcome.problems);
    EXPECT_EQ(outcome.replaced.size(), 1U);
}

} // namespace
