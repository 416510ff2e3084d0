// Every mipmap level of every format decodes at its true size, checked against the test
// writer's own decoder; sides that are not a multiple of 4 included.
#include "imaging/dds/DdsDecoder.h"
#include "CaseName.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace {

using TestData::Bytes;
using TestData::DdsFormat;
using TestData::Image;

constexpr int kLevels = 3;

Image imageOf(const Picture &picture)
{
    Image image = TestData::solid(picture.width, picture.height, {});
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint8_t *p = picture.pixels.data() + 4 * i;
        image.pixels[i] = {p[2], p[1], p[0], p[3]};
    }
    return image;
}

struct SizeCase
{
    const char *name;
    DdsFormat format;
    int width;
    int height;
};

void PrintTo(const SizeCase &c, std::ostream *os)
{
    *os << c.name;
}

class DecodeLevels : public testing::TestWithParam<SizeCase>
{
};

TEST_P(DecodeLevels, EveryLevelMatchesTheReferenceDecoder)
{
    const SizeCase &c = GetParam();
    const Bytes dds =
        TestData::ddsOf(c.format, TestData::pattern(c.width, c.height, true), kLevels);
    for (int level = 0; level < kLevels; ++level) {
        Picture picture;
        std::string error;
        ASSERT_TRUE(DdsDecoder::decode(dds.data(), dds.size(), level, picture, &error)) << error;
        const Image expected = TestData::decodeDds(dds, level);
        ASSERT_EQ(picture.width, expected.width) << "level " << level;
        ASSERT_EQ(picture.height, expected.height) << "level " << level;
        // The two decoders may round a blended palette colour apart by one.
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_LE(TestData::meanError(imageOf(picture), expected, channel), 0.004)
                << "level " << level << " channel " << channel;
    }
    Picture none;
    std::string error;
    EXPECT_FALSE(DdsDecoder::decode(dds.data(), dds.size(), kLevels, none, &error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Decoder, DecodeLevels,
                         testing::Values(SizeCase{"Dxt5Of250x130", DdsFormat::Dxt5, 250, 130},
                                         SizeCase{"Dxt1Of37x11", DdsFormat::Dxt1, 37, 11},
                                         SizeCase{"Dxt3Of6x6", DdsFormat::Dxt3, 6, 6},
                                         SizeCase{"Dxt5Of64x32", DdsFormat::Dxt5, 64, 32},
                                         SizeCase{"Rgb565Of37x11", DdsFormat::Rgb565, 37, 11},
                                         SizeCase{"Rgba32Of5x3", DdsFormat::Rgba32, 5, 3},
                                         SizeCase{"Rgb24Of7x9", DdsFormat::Rgb24, 7, 9}),
                         [](const testing::TestParamInfo<SizeCase> &p) { return p.param.name; });

} // namespace
