#include "DdsDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <squish.h>

namespace {

bool fail(ReasonOut error, const Reason &reason)
{
    return error.fail(reason);
}

// One channel of an uncompressed pixel, widened to 8 bits by rounding to the nearest value.
struct Channel
{
    std::uint32_t mask;
    int shift;
    std::uint32_t max;
    std::uint8_t absent; ///< the value when the format lacks the channel

    Channel(std::uint32_t m, std::uint8_t missing)
        : mask(m), shift(m ? std::countr_zero(m) : 0), max(m ? m >> std::countr_zero(m) : 0),
          absent(missing)
    {
    }
    std::uint8_t get(std::uint32_t value) const
    {
        if (max == 0)
            return absent;
        const std::uint64_t bits = (value & mask) >> shift;
        return static_cast<std::uint8_t>((bits * 255 + max / 2) / max);
    }
};

void decodeUncompressed(const std::uint8_t *pixels, const DdsLayout &layout,
                        const DdsLayout::Level &level, Picture &picture)
{
    const Channel red(layout.redMask, 0), green(layout.greenMask, 0), blue(layout.blueMask, 0),
        alpha(layout.alphaMask, 255);
    const std::size_t bytes = layout.bitCount / 8;
    std::uint8_t *out = picture.pixels.data();
    for (int y = 0; y < level.height; ++y) {
        const std::uint8_t *p = pixels + level.rowBytes * static_cast<std::size_t>(y);
        for (int x = 0; x < level.width; ++x, p += bytes, out += Picture::kChannels) {
            std::uint32_t value = 0;
            for (std::size_t i = 0; i < bytes; ++i)
                value |= static_cast<std::uint32_t>(p[i]) << (8 * i);
            out[0] = blue.get(value);
            out[1] = green.get(value);
            out[2] = red.get(value);
            out[3] = alpha.get(value);
        }
    }
}

// Copies `count` pixels, red and blue swapped; two pixels at a time in one 64-bit word.
void toBlueFirst(const std::uint8_t *from, std::uint8_t *to, int count)
{
    constexpr std::uint64_t kKept = 0xFF00FF00FF00FF00u;
    constexpr std::uint64_t kLow = 0x000000FF000000FFu;
    int x = 0;
    for (; x + 2 <= count; x += 2, from += 8, to += 8) {
        std::uint64_t pair;
        std::memcpy(&pair, from, 8);
        pair = (pair & kKept) | ((pair >> 16) & kLow) | ((pair & kLow) << 16);
        std::memcpy(to, &pair, 8);
    }
    if (x < count) {
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
        to[3] = from[3];
    }
}

void decodeBlocks(const std::uint8_t *blocks, const DdsLayout &layout,
                  const DdsLayout::Level &level, Picture &picture)
{
    const int format = layout.kind == DdsLayout::Kind::Dxt1   ? squish::kDxt1
                       : layout.kind == DdsLayout::Kind::Dxt3 ? squish::kDxt3
                                                              : squish::kDxt5;
    const auto width = static_cast<std::size_t>(level.width);
    std::uint8_t block[16 * 4];
    for (int top = 0; top < level.height; top += 4) {
        for (int left = 0; left < level.width; left += 4, blocks += layout.blockBytes()) {
            // The library writes red, green, blue, alpha; the picture keeps blue first. Pixels of
            // an edge block beyond the texture's side are padding and dropped.
            squish::Decompress(block, blocks, format);
            const int rows = std::min(4, level.height - top);
            const int columns = std::min(4, level.width - left);
            for (int y = 0; y < rows; ++y) {
                const std::uint8_t *from = block + std::ptrdiff_t{16} * y;
                std::uint8_t *to =
                    picture.pixels.data() +
                    (static_cast<std::size_t>(top + y) * width + static_cast<std::size_t>(left)) *
                        Picture::kChannels;
                toBlueFirst(from, to, columns);
            }
        }
    }
}

} // namespace

namespace DdsDecoder {

bool decodeLevel(const std::uint8_t *dds, std::size_t size, const DdsLayout &layout, int level,
                 Picture &picture, ReasonOut error)
{
    if (level < 0 || static_cast<std::size_t>(level) >= layout.levels.size())
        return fail(error, Reason(Reasons::Id::DdsNoLevel, {std::to_string(level)}));
    const DdsLayout::Level &at = layout.levels[static_cast<std::size_t>(level)];
    if (at.offset > size || at.size > size - at.offset)
        return fail(error, Reason(Reasons::Id::DdsLevelCutShort, {std::to_string(level)}));
    Picture decoded;
    decoded.width = at.width;
    decoded.height = at.height;
    decoded.pixels.resize(static_cast<std::size_t>(at.width) * static_cast<std::size_t>(at.height) *
                          Picture::kChannels);
    if (layout.kind == DdsLayout::Kind::Uncompressed)
        decodeUncompressed(dds + at.offset, layout, at, decoded);
    else
        decodeBlocks(dds + at.offset, layout, at, decoded);
    picture = std::move(decoded);
    return true;
}

bool decode(const std::uint8_t *dds, std::size_t size, int level, Picture &picture, ReasonOut error)
{
    DdsLayout layout;
    return DdsLayout::read(dds, size, layout, error) &&
           decodeLevel(dds, size, layout, level, picture, error);
}

} // namespace DdsDecoder
