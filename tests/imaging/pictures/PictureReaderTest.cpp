// Pictures from users: the files the readers must take, and the attacks a downloaded picture
// can hold (each refused with its reason, before or instead of decoding).
#include "imaging/pictures/PictureReader.h"
#include "TestData.h"
#include "TestImages.h"

#include <gtest/gtest.h>

using TestData::Bytes;
using TestData::JpegCoding;

namespace {

constexpr int kSide = 16;
const TestData::Image kPicture = TestData::pattern(kSide, kSide, true);
const Bytes kArithmeticJpeg = TestData::jpeg(kPicture, JpegCoding::Arithmetic);

Bytes joined(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes cut(Bytes data, std::size_t keep)
{
    data.resize(keep);
    return data;
}

Bytes patched(Bytes data, std::size_t at, std::initializer_list<std::uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
    return data;
}

// A run-length TGA header of the test size followed by `packets`.
Bytes tgaRuns(const Bytes &packets)
{
    return joined(cut(patched(TestData::tga(kPicture), 2, {10}), 18), packets);
}

// A TGA 2.0 file whose extension area says its postage stamp lies far past the file's end.
Bytes tgaWithStampPastItsEnd()
{
    Bytes file = TestData::tga(kPicture);
    const auto extension = static_cast<std::int32_t>(file.size());
    file.resize(file.size() + 495, 0);
    TestData::putInt32(file, static_cast<std::size_t>(extension) + 482, 0x7FFFFFF0);
    const std::size_t footer = file.size();
    file.resize(footer + 8, 0);
    TestData::putInt32(file, footer, extension);
    const char signature[] = "TRUEVISION-XFILE.";
    return joined(file, Bytes(signature, signature + sizeof signature));
}

// A PNG whose text chunk after the image claims 2 GiB.
Bytes pngWithHugeTextChunk()
{
    Bytes file = cut(TestData::png(kPicture), TestData::png(kPicture).size() - 12);
    return joined(file, {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 'a', 0, 'b'});
}

// A JPEG with an EXIF block whose first directory lies past the block's end.
Bytes jpegWithExifPastItsBlock()
{
    const Bytes jpeg = TestData::jpeg(kPicture);
    const Bytes exif = {0xFF, 0xE1, 0,   16, 'E', 'x',  'i',  'f', 0,
                        0,    'I',  'I', 42, 0,   0xFF, 0xFF, 0,   0};
    return joined(joined(cut(jpeg, 2), exif), Bytes(jpeg.begin() + 2, jpeg.end()));
}

// A JPEG that stops before its `scan`th scan (counted from 0) and ends there with its end
// marker, as a file whose scan data went missing does.
Bytes jpegEndedBeforeScan(const Bytes &jpeg, int scan)
{
    std::size_t at = 2;
    for (int seen = -1; at + 1 < jpeg.size(); ++at) {
        // Scan data stuffs every 0xFF with a zero byte: 0xFF 0xDA is always a scan's start.
        if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xDA && ++seen == scan)
            break;
    }
    return joined(cut(jpeg, at), {0xFF, 0xD9});
}

// A JPEG whose first scan holds no picture data: its header, then the end marker.
Bytes jpegWithAnEmptyScan(const Bytes &jpeg)
{
    const Bytes untilScan = jpegEndedBeforeScan(jpeg, 0);
    const std::size_t header = untilScan.size() - 2;
    const std::size_t length = std::size_t{jpeg[header + 2]} << 8 | jpeg[header + 3];
    return joined(cut(jpeg, header + 2 + length), {0xFF, 0xD9});
}

// A TGA of `image` whose header gives no alpha bits, as a painting program writes an opaque
// 32-bit picture (the fourth byte is padding, whatever it holds).
Bytes tgaWithoutAlphaBits(const TestData::Image &image)
{
    return patched(TestData::tga(image), 17, {0x20});
}

struct BadCase
{
    const char *name;
    Bytes file;
    const char *fileName;
    const char *reason; ///< a part of the reason given
};

class BadPicture : public testing::TestWithParam<BadCase>
{
};

TEST_P(BadPicture, IsRefusedWithItsReason)
{
    const BadCase &c = GetParam();
    Picture picture{1, 1, {1, 2, 3, 4}};
    std::string error;
    EXPECT_FALSE(PictureReader::read(c.file.data(), c.file.size(), c.fileName, kSide, kSide,
                                     picture, &error));
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(picture.pixels, Bytes({1, 2, 3, 4})) << "the picture is left as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Reader, BadPicture,
    testing::Values(
        BadCase{"RleTgaOfOnlyItsHeader", tgaRuns({}), "a.tga", "cut short"},
        BadCase{"RleTgaWhoseRunPassesTheImage",
                tgaRuns({0xFF, 1, 2, 3, 4, 0xFE, 1, 2, 3, 4, 0x81, 1, 2, 3, 4}), "a.tga",
                "passes the end"},
        BadCase{"RleTgaEndingInsideAPixel", tgaRuns({0xFF, 1, 2}), "a.tga", "cut short"},
        BadCase{"TgaWithItsPostageStampPastTheEnd", tgaWithStampPastItsEnd(), "a.tga", "damaged"},
        BadCase{"TgaOfAnotherSize", patched(TestData::tga(kPicture), 12, {32}), "a.tga", "32 x 16"},
        BadCase{"TgaNamedPng", TestData::tga(kPicture), "a.png", "not a PNG"},
        BadCase{"PngNamedTga", TestData::png(kPicture), "a.TGA", "is a PNG image"},
        BadCase{"PngWithATextChunkClaiming2GiB", pngWithHugeTextChunk(), "a.png", "cut short"},
        BadCase{"PngCutInItsImageData", cut(TestData::png(kPicture), 60), "a.png", "cut short"},
        BadCase{"PngOfHugeSize", patched(TestData::png(kPicture), 16, {0x7F}), "a.png", "damaged"},
        BadCase{"JpegCutInItsScan",
                cut(TestData::jpeg(kPicture), TestData::jpeg(kPicture).size() - 40), "a.jpg",
                "cut short"},
        BadCase{"JpegCutInItsScanThenEnded",
                joined(cut(TestData::jpeg(kPicture), TestData::jpeg(kPicture).size() - 40),
                       {0xFF, 0xD9}),
                "a.jpg", "cut short"},
        BadCase{"JpegWithoutItsScan", jpegEndedBeforeScan(TestData::jpeg(kPicture), 0), "a.jpg",
                "damaged"},
        BadCase{"JpegWithoutItsPictureData", jpegWithAnEmptyScan(TestData::jpeg(kPicture)), "a.jpg",
                "cut short"},
        BadCase{"ArithmeticJpegWithoutItsPictureData", jpegWithAnEmptyScan(kArithmeticJpeg),
                "a.jpg", "cut short"},
        BadCase{"ArithmeticJpegCutInItsScan", cut(kArithmeticJpeg, kArithmeticJpeg.size() - 20),
                "a.jpg", "cut short"},
        BadCase{"ProgressiveJpegWithoutItsLaterScans",
                jpegEndedBeforeScan(TestData::jpeg(kPicture, JpegCoding::Progressive), 1), "a.jpg",
                "cut short"},
        BadCase{"JpegNamedBmp", TestData::jpeg(kPicture), "a.bmp", "is a JPEG image"},
        BadCase{"BmpV5WithOverlappingMasks", patched(TestData::bmpV5(kPicture), 66, {0xFF}),
                "a.bmp", "damaged"},
        BadCase{"BmpOfOs2Kind", patched(TestData::bmp(kPicture), 14, {12}), "a.bmp",
                "not supported"},
        BadCase{"BmpRunLengthCompressed", patched(TestData::bmp(kPicture), 30, {1}), "a.bmp",
                "not supported"},
        BadCase{"BmpWithPixelsPastItsEnd", patched(TestData::bmp(kPicture), 10, {0xFF, 0xFF}),
                "a.bmp", "cut short"},
        BadCase{"TextNamedJpeg", Bytes(100, 'x'), "a.jpeg", "not a JPEG"},
        BadCase{"TextWithoutExtension", Bytes(100, 'x'), "picture", "not a PNG, BMP, TGA"}),
    [](const testing::TestParamInfo<BadCase> &p) { return p.param.name; });

struct GoodCase
{
    const char *name;
    Bytes file;
    const char *fileName;
    TestData::Image expected;
    double tolerance; ///< mean error per channel
};

class GoodPicture : public testing::TestWithParam<GoodCase>
{
};

TEST_P(GoodPicture, ReadsAsDrawn)
{
    const GoodCase &c = GetParam();
    Picture picture;
    std::string error;
    ASSERT_TRUE(PictureReader::read(c.file.data(), c.file.size(), c.fileName, kSide, kSide, picture,
                                    &error))
        << error;
    TestData::Image got{picture.width, picture.height, {}};
    for (std::size_t i = 0; i < picture.pixels.size(); i += 4)
        got.pixels.push_back({picture.pixels[i + 2], picture.pixels[i + 1], picture.pixels[i],
                              picture.pixels[i + 3]});
    for (int channel = 0; channel < 4; ++channel)
        EXPECT_LE(TestData::meanError(got, c.expected, channel), c.tolerance) << channel;
}

INSTANTIATE_TEST_SUITE_P(
    Reader, GoodPicture,
    testing::Values(
        GoodCase{"PngWithAlpha", TestData::png(kPicture), "a.png", kPicture, 0},
        GoodCase{"BmpV5WithAlpha", TestData::bmpV5(kPicture), "a.bmp", kPicture, 0},
        GoodCase{"Bmp32BitsWithAlpha", TestData::bmp32(kPicture), "a.bmp", kPicture, 0},
        GoodCase{"Bmp32BitsOfZeroAlphaIsOpaque",
                 TestData::bmp32(TestData::solid(kSide, kSide, {1, 2, 3, 0})), "a.bmp",
                 TestData::solid(kSide, kSide, {1, 2, 3, 255}), 0},
        GoodCase{"Bmp24Bits", TestData::bmp(kPicture), "a.BMP", TestData::opaque(kPicture), 0},
        GoodCase{"TgaUncompressed", TestData::tga(kPicture), "a.tga", kPicture, 0},
        GoodCase{"Tga32BitsWithoutAlphaBitsIsOpaque",
                 tgaWithoutAlphaBits(TestData::solid(kSide, kSide, {1, 2, 3, 0})), "a.tga",
                 TestData::solid(kSide, kSide, {1, 2, 3, 255}), 0},
        GoodCase{"TgaRunLength", TestData::tgaRle(TestData::solid(kSide, kSide, {9, 8, 7, 6})),
                 "a.tga", TestData::solid(kSide, kSide, {9, 8, 7, 6}), 0},
        GoodCase{"Jpeg", TestData::jpeg(TestData::solid(kSide, kSide, {200, 60, 20, 255})), "a.jpg",
                 TestData::solid(kSide, kSide, {200, 60, 20, 255}), 0.01},
        GoodCase{"ProgressiveJpeg", TestData::jpeg(kPicture, JpegCoding::Progressive), "a.jpg",
                 TestData::opaque(kPicture), 0.06},
        GoodCase{"ArithmeticJpeg", kArithmeticJpeg, "a.jpg", TestData::opaque(kPicture), 0.06},
        GoodCase{"JpegWithExifPastItsBlock", jpegWithExifPastItsBlock(), "a.jpeg",
                 TestData::opaque(kPicture), 0.06},
        GoodCase{"PngWithoutExtension", TestData::png(kPicture), "picture", kPicture, 0}),
    [](const testing::TestParamInfo<GoodCase> &p) { return p.param.name; });

// A header claiming the largest texture's size over a file of a few pixels: refused by what
// the file holds, before memory for the picture is taken.
TEST(Reader, TgaClaimingMoreThanItsFileHoldsIsRefusedUnallocated)
{
    constexpr int kLargest = 4096;
    for (const std::uint8_t type : {std::uint8_t{2}, std::uint8_t{10}}) {
        SCOPED_TRACE(static_cast<int>(type));
        const Bytes file = cut(patched(TestData::tga(kPicture), 2,
                                       {type, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x10, 0x00, 0x10}),
                               100);
        Picture picture;
        std::string error;
        EXPECT_FALSE(PictureReader::read(file.data(), file.size(), "a.tga", kLargest, kLargest,
                                         picture, &error));
        EXPECT_NE(error.find("cut short"), std::string::npos) << error;
    }
}

} // namespace
