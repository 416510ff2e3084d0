#include "DdsCheck.h"

#include "common/LittleEndian.h"

#include <cstring>

namespace {

using LittleEndian::readUint32;

constexpr std::uint32_t kPitchFlag = 0x8;  // DDSD_PITCH
constexpr std::uint32_t kFourCcFlag = 0x4; // DDPF_FOURCC
constexpr std::uint32_t kRgbFlag = 0x40;   // DDPF_RGB

Reason problemOf(const std::uint8_t *data, std::size_t size)
{
    using DdsCheck::kFileHeaderSize;
    using DdsCheck::kMaxSide;
    using Reasons::Id;
    if (size < kFileHeaderSize)
        return Reason(Id::DdsTooShort);
    if (std::memcmp(data, "DDS ", 4) != 0)
        return Reason(Id::DdsNotDds);
    if (readUint32(data + 4) != 124)
        return Reason(Id::DdsHeaderSize);
    const std::uint32_t flags = readUint32(data + 8);
    const std::uint32_t height = readUint32(data + 12);
    const std::uint32_t width = readUint32(data + 16);
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return Reason(Id::DdsSizeOutOfRange, {std::to_string(width), std::to_string(height)});
    const std::uint32_t pitchOrLinear = readUint32(data + 20);
    const std::uint32_t formatFlags = readUint32(data + 80);
    const std::uint64_t available = size - kFileHeaderSize;
    std::uint64_t needed = 0;
    if (formatFlags & kFourCcFlag) {
        const std::uint64_t blocks =
            ((width + 3) / 4) * static_cast<std::uint64_t>((height + 3) / 4);
        if (std::memcmp(data + 84, "DXT1", 4) == 0)
            needed = blocks * 8;
        else if (std::memcmp(data + 84, "DXT3", 4) == 0 || std::memcmp(data + 84, "DXT5", 4) == 0)
            needed = blocks * 16;
        else
            return Reason(Id::DdsCompressionUnsupported);
    } else if (formatFlags & kRgbFlag) {
        const std::uint32_t bits = readUint32(data + 88);
        if (bits != 16 && bits != 24 && bits != 32)
            return Reason(Id::DdsPixelSizeUnsupported);
        const std::uint64_t line = static_cast<std::uint64_t>(width) * (bits / 8);
        const std::uint64_t pitch = (flags & kPitchFlag) ? pitchOrLinear : line;
        if (pitch < line)
            return Reason(Id::DdsRowsShort);
        needed = pitch * (height - 1) + line;
    } else {
        return Reason(Id::DdsPixelFormatUnsupported);
    }
    if (needed > available)
        return Reason(Id::DdsCutShort, {std::to_string(needed), std::to_string(available)});
    return {};
}

} // namespace

namespace DdsCheck {

bool check(const std::uint8_t *data, std::size_t size, ReasonOut error)
{
    const Reason problem = problemOf(data, size);
    return problem.empty() || error.fail(problem);
}

} // namespace DdsCheck
