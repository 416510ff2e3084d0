#include "DdsEncoder.h"

#include <algorithm>
#include <bit>
#include <squish.h>

namespace {

// One channel's place in an uncompressed pixel.
struct Channel
{
    std::uint32_t mask;
    int shift;
    std::uint32_t max;

    explicit Channel(std::uint32_t m)
        : mask(m), shift(m ? std::countr_zero(m) : 0), max(m ? m >> std::countr_zero(m) : 0)
    {
    }
    std::uint32_t put(std::uint8_t value) const
    {
        const std::uint64_t scaled = (value * static_cast<std::uint64_t>(max) + 127) / 255;
        return static_cast<std::uint32_t>(scaled << shift) & mask;
    }
};

void encodeUncompressed(const DdsLayout &layout, const DdsLayout::Level &level,
                        const Picture &picture, std::uint8_t *pixels)
{
    const Channel red(layout.redMask), green(layout.greenMask), blue(layout.blueMask),
        alpha(layout.alphaMask);
    const std::uint32_t covered = red.mask | green.mask | blue.mask | alpha.mask;
    const std::size_t bytes = layout.bitCount / 8;
    for (int y = 0; y < level.height; ++y) {
        std::uint8_t *row = pixels + level.rowBytes * static_cast<std::size_t>(y);
        const std::uint8_t *source =
            picture.pixels.data() + static_cast<std::size_t>(y) *
                                        static_cast<std::size_t>(level.width) * Picture::kChannels;
        for (int x = 0; x < level.width; ++x, source += Picture::kChannels) {
            std::uint8_t *p = row + bytes * static_cast<std::size_t>(x);
            std::uint32_t old = 0;
            for (std::size_t i = 0; i < bytes; ++i)
                old |= static_cast<std::uint32_t>(p[i]) << (8 * i);
            const std::uint32_t value = (old & ~covered) | blue.put(source[0]) |
                                        green.put(source[1]) | red.put(source[2]) |
                                        alpha.put(source[3]);
            for (std::size_t i = 0; i < bytes; ++i)
                p[i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
}

int squishFlags(DdsLayout::Kind kind)
{
    const int format = kind == DdsLayout::Kind::Dxt1   ? squish::kDxt1
                       : kind == DdsLayout::Kind::Dxt3 ? squish::kDxt3
                                                       : squish::kDxt5;
    return format | squish::kColourIterativeClusterFit;
}

// The encoder reads red, green, blue, alpha (its flag for blue-first input is dropped
// inside the library).
void encodeBlocks(const DdsLayout &layout, const DdsLayout::Level &level, const Picture &picture,
                  std::uint8_t *blocks)
{
    std::vector<std::uint8_t> rgba(picture.pixels);
    for (std::size_t i = 0; i + 2 < rgba.size(); i += Picture::kChannels)
        std::swap(rgba[i], rgba[i + 2]);
    squish::CompressImage(rgba.data(), level.width, level.height, blocks, squishFlags(layout.kind));
}

} // namespace

namespace DdsEncoder {

Picture halve(const Picture &picture)
{
    Picture half;
    half.width = std::max(1, picture.width / 2);
    half.height = std::max(1, picture.height / 2);
    half.pixels.resize(static_cast<std::size_t>(half.width) *
                       static_cast<std::size_t>(half.height) * Picture::kChannels);
    const auto at = [&](int x, int y, int c) {
        return picture
            .pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                     static_cast<std::size_t>(x)) *
                        Picture::kChannels +
                    static_cast<std::size_t>(c)];
    };
    std::uint8_t *out = half.pixels.data();
    for (int y = 0; y < half.height; ++y) {
        const int y0 = std::min(2 * y, picture.height - 1);
        const int y1 = std::min(2 * y + 1, picture.height - 1);
        for (int x = 0; x < half.width; ++x) {
            const int x0 = std::min(2 * x, picture.width - 1);
            const int x1 = std::min(2 * x + 1, picture.width - 1);
            for (int c = 0; c < Picture::kChannels; ++c, ++out)
                *out = static_cast<std::uint8_t>(
                    (at(x0, y0, c) + at(x1, y0, c) + at(x0, y1, c) + at(x1, y1, c) + 2) / 4);
        }
    }
    return half;
}

bool encode(const DdsLayout &layout, const Picture &picture, std::uint8_t *dds, ReasonOut error)
{
    if (picture.width != layout.width || picture.height != layout.height ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) *
                                     static_cast<std::size_t>(picture.height) *
                                     Picture::kChannels) {
        return error.fail(Reason(Reasons::Id::DdsPictureOtherSize,
                                 {std::to_string(picture.width), std::to_string(picture.height),
                                  std::to_string(layout.width), std::to_string(layout.height)}));
    }
    Picture smaller;
    const Picture *level = &picture;
    for (std::size_t i = 0; i < layout.levels.size(); ++i) {
        if (i > 0) {
            smaller = halve(*level);
            level = &smaller;
        }
        const DdsLayout::Level &at = layout.levels[i];
        std::uint8_t *pixels = dds + at.offset;
        if (layout.kind == DdsLayout::Kind::Uncompressed)
            encodeUncompressed(layout, at, *level, pixels);
        else
            encodeBlocks(layout, at, *level, pixels);
    }
    return true;
}

} // namespace DdsEncoder
