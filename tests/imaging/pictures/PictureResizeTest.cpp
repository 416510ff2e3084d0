// Pictures resized with a filter that keeps colours true and alpha edges clean.
#include "imaging/pictures/PictureResize.h"
#include "CaseName.h"

#include <gtest/gtest.h>

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

} // namespace
