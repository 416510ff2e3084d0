#pragma once
// Pictures for tests, benchmarks and the demo sample, written and read without the code under
// test: a drawn pattern, DDS textures in every format the archives use (DXT blocks computed
// here), a DDS decoder, and PNG, BMP and TGA files.
#include "TestData.h"

#include <vector>

namespace TestData {

struct Image
{
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels; ///< rows top to bottom

    Rgba at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

Image solid(int width, int height, Rgba colour);
/// Gradients, a disc and stripes with soft edges; with `transparentParts` a corner fades to
/// fully transparent and a band is half transparent.
Image pattern(int width, int height, bool transparentParts);
/// The image with every pixel opaque.
Image opaque(Image image);
/// Half the size (at least 1 x 1), each pixel the rounded mean of the 2 x 2 it stands for.
Image halve(const Image &image);

/// A DDS texture of the image in `format` with `levels` mipmap levels (each made by halve).
Bytes ddsOf(DdsFormat format, const Image &image, int levels = 1);
/// Decodes mipmap level `level` of a DDS texture written in one of the formats above.
Image decodeDds(const Bytes &dds, int level = 0);

/// Image files: PNG (8-bit RGBA), BMP (24-bit, alpha dropped), TGA (32-bit, uncompressed).
Bytes png(const Image &image);
Bytes bmp(const Image &image);
Bytes tga(const Image &image);
/// A V3 BMP of 32 bits without bit fields, the image's alpha in each pixel's fourth byte.
Bytes bmp32(const Image &image);
/// A V5 BMP of 32 bits with bit fields and an alpha mask, as image editors write one for alpha.
Bytes bmpV5(const Image &image);
/// A run-length TGA (32-bit, rows top down): equal neighbours as repeat packets, which may
/// run on into the next row.
Bytes tgaRle(const Image &image);
/// How a JPEG's picture data is coded: Huffman-coded in one scan or in several, or
/// arithmetic-coded in one.
enum class JpegCoding { Baseline, Progressive, Arithmetic };

/// A JPEG of quality 95 (alpha dropped), written by libjpeg's encoder.
Bytes jpeg(const Image &image, JpegCoding coding = JpegCoding::Baseline);
/// A PNG chunk: its length, type, data and CRC.
Bytes pngChunk(const char *type, const Bytes &data);

/// Mean absolute difference of one channel (0 red, 1 green, 2 blue, 3 alpha), from 0 to 1.
double meanError(const Image &a, const Image &b, int channel);

} // namespace TestData
