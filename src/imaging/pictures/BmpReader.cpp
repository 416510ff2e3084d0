// Windows bitmaps read by a strict reader of our own: the V3 (40-byte), V4 and V5 headers and
// Adobe's 52- and 56-byte ones; 1, 4, 8, 24 bits a pixel, and 16 or 32 with bit fields (so
// the V5 bitmaps with alpha that image editors write). Compressed bitmaps are refused. Every
// offset, mask and index is checked against the file before it is used.
#include "PictureFormats.h"

#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

namespace PictureFormats {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;

std::uint32_t le16(const std::uint8_t *p)
{
    return p[0] | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t le32(const std::uint8_t *p)
{
    return le16(p) | le16(p + 2) << 16;
}

// One channel's bits of a 16- or 32-bit pixel, to 8 bits.
struct Channel
{
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    std::uint8_t missing = 0; ///< the value when the mask is empty

    std::uint8_t of(std::uint32_t pixel) const
    {
        if (bits == 0)
            return missing;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return static_cast<std::uint8_t>(v >> (bits - 8));
        return static_cast<std::uint8_t>(v * 255 / ((1u << bits) - 1));
    }
};

// False for a mask whose bits are not one run within the pixel.
bool channelOf(std::uint32_t mask, unsigned pixelBits, std::uint8_t missing, Channel &channel)
{
    channel = {mask, 0, 0, missing};
    if (mask == 0)
        return true;
    channel.shift = std::countr_zero(mask);
    channel.bits = std::popcount(mask);
    const bool oneRun = std::countl_zero(mask) + channel.shift + channel.bits == 32;
    return oneRun && (pixelBits == 32 || mask >> pixelBits == 0);
}

} // namespace

bool readBmp(const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
             ReasonOut error)
{
    if (size < kFileHeaderSize + 4)
        return fail(error, kCutShort);
    const std::size_t pixelsAt = le32(data + 10);
    const std::size_t headerSize = le32(data + kFileHeaderSize);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return fail(error, Reasons::Id::BmpUnsupported);
    if (headerSize > size - kFileHeaderSize)
        return fail(error, kCutShort);
    const std::uint8_t *info = data + kFileHeaderSize;
    const auto width = static_cast<std::int32_t>(le32(info + 4));
    const auto storedHeight = static_cast<std::int32_t>(le32(info + 8));
    const std::uint32_t bits = le16(info + 14);
    const std::uint32_t compression = le32(info + 16);
    const std::uint32_t coloursUsed = le32(info + 32);
    const bool fields = compression == kBitFields || compression == kAlphaBitFields;
    const bool supported =
        le16(info + 12) == 1 && (compression == kRgb ? bits == 1 || bits == 4 || bits == 8 ||
                                                           bits == 16 || bits == 24 || bits == 32
                                                     : fields && (bits == 16 || bits == 32));
    if (!supported)
        return fail(error, Reasons::Id::BmpUnsupported);
    const std::int64_t height =
        storedHeight < 0 ? -static_cast<std::int64_t>(storedHeight) : storedHeight;
    if (!checkSize(width, height, wanted, error))
        return false;

    // The masks follow the first 40 bytes of the header, inside a longer header or after a
    // 40-byte one; without bit fields the format's defaults hold.
    std::array<std::uint32_t, 4> masks{};
    if (fields) {
        const std::size_t count = compression == kAlphaBitFields || headerSize >= 56 ? 4 : 3;
        const std::size_t at = kFileHeaderSize + 40;
        if (at + count * 4 > size)
            return fail(error, kCutShort);
        for (std::size_t i = 0; i < count; ++i)
            masks[i] = le32(data + at + i * 4);
    } else if (bits == 16) {
        masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (bits == 32) {
        // The fourth byte is unused by the format, but tools store alpha there: it counts
        // unless it is zero everywhere (see below).
        masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    }
    std::array<Channel, 4> channels; // red, green, blue, alpha
    for (std::size_t i = 0; i < 4; ++i) {
        if (!channelOf(masks[i], bits, i == 3 ? 255 : 0, channels[i]))
            return fail(error, kDamaged);
        for (std::size_t j = 0; j < i; ++j) {
            if (masks[i] & masks[j])
                return fail(error, kDamaged);
        }
    }

    // The colour table of 1, 4 and 8 bits a pixel, after the header.
    std::vector<std::array<std::uint8_t, 4>> palette;
    if (bits <= 8) {
        const std::size_t entries = coloursUsed ? coloursUsed : std::size_t{1} << bits;
        const std::size_t at = kFileHeaderSize + headerSize;
        if (entries > std::size_t{1} << bits)
            return fail(error, kDamaged);
        if (entries * 4 > size - at)
            return fail(error, kCutShort);
        for (std::size_t i = 0; i < entries; ++i)
            palette.push_back({data[at + i * 4], data[at + i * 4 + 1], data[at + i * 4 + 2], 255});
    }

    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const auto rows = static_cast<std::size_t>(height);
    if (pixelsAt > size || stride * rows > size - pixelsAt)
        return fail(error, kCutShort);
    try {
        Picture read{width, static_cast<int>(height), {}};
        read.pixels.resize(static_cast<std::size_t>(width) * rows * Picture::kChannels);
        for (std::size_t y = 0; y < rows; ++y) {
            const std::uint8_t *line = data + pixelsAt + stride * y;
            std::uint8_t *out = read.pixels.data() + (storedHeight < 0 ? y : rows - 1 - y) *
                                                         static_cast<std::size_t>(width) *
                                                         Picture::kChannels;
            for (std::size_t x = 0; x < static_cast<std::size_t>(width);
                 ++x, out += Picture::kChannels) {
                if (bits <= 8) {
                    const std::size_t bit = x * bits;
                    const unsigned index =
                        (line[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                    if (index >= palette.size())
                        return fail(error,
                                    Reasons::Id::BmpOutsideColourTable);
                    std::memcpy(out, palette[index].data(), Picture::kChannels);
                } else if (bits == 24) {
                    const std::uint8_t *p = line + x * 3;
                    out[0] = p[0], out[1] = p[1], out[2] = p[2], out[3] = 255;
                } else {
                    const std::uint32_t pixel =
                        bits == 16 ? le16(line + x * 2) : le32(line + x * 4);
                    out[0] = channels[2].of(pixel);
                    out[1] = channels[1].of(pixel);
                    out[2] = channels[0].of(pixel);
                    out[3] = channels[3].of(pixel);
                }
            }
        }
        if (bits == 32 && !fields) {
            bool anyAlpha = false;
            for (std::size_t i = 3; i < read.pixels.size() && !anyAlpha; i += Picture::kChannels)
                anyAlpha = read.pixels[i] != 0;
            if (!anyAlpha)
                read = read.withoutAlpha();
        }
        picture = std::move(read);
        return true;
    } catch (const std::bad_alloc &) {
        return fail(error, kNoMemory);
    }
}

} // namespace PictureFormats
