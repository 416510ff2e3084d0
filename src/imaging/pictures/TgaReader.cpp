// TGA files read by a strict reader of our own: uncompressed and run-length, true colour
// (15, 16, 24 or 32 bits), grey (8 bits) and colour-mapped (8-bit indices). Every count is
// checked against the bytes the file holds before it is used: a run may not pass the end of
// the image, an index must lie in the colour map, and a TGA 2.0 footer's areas must lie in
// the file. The areas themselves (postage stamp, extension fields) are never read, and a header
// whose size the file cannot hold is refused before the picture is allocated.
#include "PictureFormats.h"

#include <array>
#include <cstring>
#include <new>
#include <vector>

namespace PictureFormats {

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kFooterSize = 26;
constexpr std::size_t kExtensionSize = 495;

using Bgra = std::array<std::uint8_t, 4>;

std::uint32_t le16(const std::uint8_t *p)
{
    return p[0] | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t le32(const std::uint8_t *p)
{
    return le16(p) | le16(p + 2) << 16;
}

std::uint8_t scale5(std::uint32_t v)
{
    return static_cast<std::uint8_t>((v & 31) * 255 / 31);
}

// One stored pixel of `depth` bits as blue, green, red, alpha.
Bgra toBgra(const std::uint8_t *p, unsigned depth, bool attributeBit)
{
    switch (depth) {
    case 8:
        return {p[0], p[0], p[0], 255};
    case 15:
    case 16: {
        const std::uint32_t v = le16(p);
        const auto alpha = static_cast<std::uint8_t>(!attributeBit || (v & 0x8000) ? 255 : 0);
        return {scale5(v), scale5(v >> 5), scale5(v >> 10), alpha};
    }
    case 24:
        return {p[0], p[1], p[2], 255};
    default:
        // The fourth byte is alpha only when the header says so: without alpha bits it is
        // padding, as in a BMP without alpha.
        return {p[0], p[1], p[2], attributeBit ? p[3] : std::uint8_t{255}};
    }
}

// True when a TGA 2.0 footer, if the file has one, names only areas that lie in the file
// after the image's first byte.
bool footerFits(const std::uint8_t *data, std::size_t size, std::size_t imageStart)
{
    static const char signature[] = "TRUEVISION-XFILE.";
    if (size < kHeaderSize + kFooterSize ||
        std::memcmp(data + size - sizeof signature, signature, sizeof signature) != 0)
        return true;
    const std::size_t end = size - kFooterSize;
    const auto fits = [&](std::size_t offset, std::size_t length) {
        return offset == 0 || (offset >= imageStart && offset <= end && length <= end - offset);
    };
    const std::size_t extension = le32(data + end);
    if (!fits(extension, kExtensionSize) || !fits(le32(data + end + 4), 0))
        return false;
    if (extension == 0)
        return true;
    const std::size_t stamp = le32(data + extension + 482);
    return fits(le32(data + extension + 486), 0) && fits(le32(data + extension + 490), 0) &&
           fits(stamp, 2);
}

} // namespace

bool readTga(const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
             ReasonOut error)
{
    if (size < kHeaderSize)
        return fail(error, kCutShort);
    const unsigned idLength = data[0];
    const unsigned mapType = data[1];
    const unsigned type = data[2];
    const std::uint32_t mapFirst = le16(data + 3);
    const std::uint32_t mapLength = le16(data + 5);
    const unsigned mapDepth = data[7];
    const std::uint32_t width = le16(data + 12);
    const std::uint32_t height = le16(data + 14);
    const unsigned depth = data[16];
    const unsigned descriptor = data[17];
    const bool runLength = type >= 9;
    const unsigned kind = type & 7; // 1 colour-mapped, 2 true colour, 3 grey
    const bool mapped = kind == 1;
    const auto validDepth = [](unsigned d) { return d == 15 || d == 16 || d == 24 || d == 32; };
    const bool supported =
        (type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11) &&
        mapType <= 1 && (descriptor & 0xC0) == 0 &&
        (mapped      ? mapType == 1 && depth == 8 && validDepth(mapDepth) && mapLength > 0
         : kind == 2 ? validDepth(depth)
                     : depth == 8) &&
        (mapType == 0 || validDepth(mapDepth));
    if (!supported)
        return fail(error, Reasons::Id::TgaUnsupported);
    if (!checkSize(width, height, wanted, error))
        return false;

    const std::size_t mapBytes = mapType ? mapLength * ((mapDepth + 7) / 8) : 0;
    const std::size_t imageStart = kHeaderSize + idLength + mapBytes;
    if (imageStart > size)
        return fail(error, kCutShort);
    if (!footerFits(data, size, imageStart))
        return fail(error, kDamaged);
    const bool attributeBit = (descriptor & 0x0F) != 0;
    const std::size_t stored = (depth + 7) / 8;
    // The fewest bytes that can hold the declared pixels (a run packs at most 128 of them),
    // so that a header cannot make the picture be allocated for a file that cannot fill it.
    const std::size_t count = static_cast<std::size_t>(width) * height;
    const std::size_t fewest = runLength ? (count + 127) / 128 * (1 + stored) : count * stored;
    if (fewest > size - imageStart)
        return fail(error, kCutShort);
    std::vector<Bgra> palette;
    if (mapped) {
        const std::size_t entry = (mapDepth + 7) / 8;
        for (std::size_t i = 0; i < mapLength; ++i)
            palette.push_back(
                toBgra(data + kHeaderSize + idLength + i * entry, mapDepth, attributeBit));
    }
    const auto pixelAt = [&](const std::uint8_t *p, Bgra &out) {
        if (!mapped) {
            out = toBgra(p, depth, attributeBit);
            return true;
        }
        if (p[0] < mapFirst || p[0] - mapFirst >= mapLength)
            return false;
        out = palette[p[0] - mapFirst];
        return true;
    };

    try {
        Picture read{static_cast<int>(width), static_cast<int>(height), {}};
        read.pixels.resize(count * Picture::kChannels);
        const bool topDown = descriptor & 0x20;
        const bool rightToLeft = descriptor & 0x10;
        const auto put = [&](std::size_t i, const Bgra &pixel) {
            const std::size_t x = i % width, y = i / width;
            const std::size_t column = rightToLeft ? width - 1 - x : x;
            const std::size_t row = topDown ? y : height - 1 - y;
            std::memcpy(read.pixels.data() + (row * width + column) * Picture::kChannels,
                        pixel.data(), Picture::kChannels);
        };
        std::size_t at = imageStart;
        Bgra pixel{};
        for (std::size_t i = 0; i < count;) {
            std::size_t run = 1;
            bool repeat = false;
            if (runLength) {
                if (at >= size)
                    return fail(error, kCutShort);
                run = (data[at] & 0x7Fu) + 1;
                repeat = data[at] & 0x80;
                ++at;
                if (run > count - i)
                    return fail(error, Reasons::Id::TgaRunPastEnd);
            }
            for (std::size_t n = 0; n < run; ++n, ++i) {
                if (n == 0 || !repeat) {
                    if (stored > size - at)
                        return fail(error, kCutShort);
                    if (!pixelAt(data + at, pixel))
                        return fail(error, Reasons::Id::TgaOutsideColourMap);
                    at += stored;
                }
                put(i, pixel);
            }
        }
        picture = std::move(read);
        return true;
    } catch (const std::bad_alloc &) {
        return fail(error, kNoMemory);
    }
}

} // namespace PictureFormats
