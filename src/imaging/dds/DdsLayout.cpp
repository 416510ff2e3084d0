#include "DdsLayout.h"

#include "DdsCheck.h"
#include "common/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace {

using LittleEndian::readUint32;

constexpr std::uint32_t kPitchFlag = 0x8;           // DDSD_PITCH
constexpr std::uint32_t kMipmapCountFlag = 0x20000; // DDSD_MIPMAPCOUNT
constexpr std::uint32_t kAlphaPixelsFlag = 0x1;     // DDPF_ALPHAPIXELS
constexpr std::uint32_t kFourCcFlag = 0x4;          // DDPF_FOURCC

bool fail(ReasonOut error, const Reason &reason)
{
    return error.fail(reason);
}

int levelsAllowed(int width, int height)
{
    int levels = 1;
    for (int side = std::max(width, height); side > 1; side /= 2)
        ++levels;
    return levels;
}

} // namespace

bool DdsLayout::read(const std::uint8_t *dds, std::size_t size, DdsLayout &layout, ReasonOut error)
{
    Reason problem;
    if (!DdsCheck::check(dds, size, &problem))
        return fail(error, problem);
    DdsLayout l;
    const std::uint32_t flags = readUint32(dds + 8);
    l.height = static_cast<int>(readUint32(dds + 12));
    l.width = static_cast<int>(readUint32(dds + 16));
    const std::uint32_t formatFlags = readUint32(dds + 80);
    if (formatFlags & kFourCcFlag) {
        l.kind = std::memcmp(dds + 84, "DXT1", 4) == 0   ? Kind::Dxt1
                 : std::memcmp(dds + 84, "DXT3", 4) == 0 ? Kind::Dxt3
                                                         : Kind::Dxt5;
    } else {
        l.bitCount = readUint32(dds + 88);
        l.redMask = readUint32(dds + 92);
        l.greenMask = readUint32(dds + 96);
        l.blueMask = readUint32(dds + 100);
        l.alphaMask = (formatFlags & kAlphaPixelsFlag) ? readUint32(dds + 104) : 0;
    }
    const std::uint32_t declared = readUint32(dds + 28);
    const int count = (flags & kMipmapCountFlag) && declared > 1
                          ? static_cast<int>(std::min<std::uint32_t>(declared, 64))
                          : 1;
    if (count > levelsAllowed(l.width, l.height))
        return fail(error, Reason(Reasons::Id::DdsTooManyLevels, {std::to_string(declared)}));

    std::size_t offset = DdsCheck::kFileHeaderSize;
    int w = l.width;
    int h = l.height;
    for (int i = 0; i < count; ++i) {
        Level level{w, h, offset, 0, 0};
        if (l.kind == Kind::Uncompressed) {
            const std::size_t line = static_cast<std::size_t>(w) * (l.bitCount / 8);
            // Only the top level may have padded rows; smaller levels are packed.
            level.rowBytes = i == 0 && (flags & kPitchFlag) ? readUint32(dds + 20) : line;
            level.size = level.rowBytes * static_cast<std::size_t>(h - 1) + line;
        } else {
            level.size = static_cast<std::size_t>((w + 3) / 4) *
                         static_cast<std::size_t>((h + 3) / 4) * l.blockBytes();
        }
        offset += level.size;
        l.levels.push_back(level);
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
    }
    if (offset > size)
        return fail(error, Reason(Reasons::Id::DdsLevelsCutShort,
                                  {std::to_string(count),
                                   std::to_string(offset - DdsCheck::kFileHeaderSize),
                                   std::to_string(size - DdsCheck::kFileHeaderSize)}));
    layout = std::move(l);
    return true;
}

std::string DdsLayout::formatName() const
{
    switch (kind) {
    case Kind::Dxt1:
        return "DXT1";
    case Kind::Dxt3:
        return "DXT3";
    case Kind::Dxt5:
        return "DXT5";
    case Kind::Uncompressed:
        break;
    }
    return std::to_string(bitCount) + "-bit uncompressed";
}

bool DdsLayout::sameLayout(const DdsLayout &other) const
{
    auto sameLevel = [](const Level &a, const Level &b) {
        return a.width == b.width && a.height == b.height && a.offset == b.offset &&
               a.size == b.size && a.rowBytes == b.rowBytes;
    };
    return kind == other.kind && width == other.width && height == other.height &&
           bitCount == other.bitCount && redMask == other.redMask && greenMask == other.greenMask &&
           blueMask == other.blueMask && alphaMask == other.alphaMask &&
           levels.size() == other.levels.size() &&
           std::equal(levels.begin(), levels.end(), other.levels.begin(), sameLevel);
}
