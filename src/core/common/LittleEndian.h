#pragma once
// Little-endian integers in byte buffers: every game file format stores its numbers this way.
#include <cstdint>

namespace LittleEndian {

inline std::uint32_t readUint32(const std::uint8_t *p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::int32_t readInt32(const std::uint8_t *p)
{
    return static_cast<std::int32_t>(readUint32(p));
}

inline std::int16_t readInt16(const std::uint8_t *p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

inline void writeUint32(std::uint8_t *p, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void writeInt32(std::uint8_t *p, std::int32_t value)
{
    writeUint32(p, static_cast<std::uint32_t>(value));
}

/// Keeps the low 16 bits of `value`.
inline void writeInt16(std::uint8_t *p, std::int32_t value)
{
    const auto v = static_cast<std::uint16_t>(value);
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

} // namespace LittleEndian
