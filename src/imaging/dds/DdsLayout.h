#pragma once
// Where the pixels of a DDS texture lie: its format, size and mipmap levels, read from a
// header that DdsCheck has accepted. Replacing a texture's pixels rests on this layout, so
// that nothing but pixel bytes is ever written.
#include "common/Reason.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DdsLayout
{
    enum class Kind { Dxt1, Dxt3, Dxt5, Uncompressed };

    struct Level
    {
        int width = 0;
        int height = 0;
        std::size_t offset = 0;   ///< from the start of the DDS file
        std::size_t size = 0;     ///< bytes of the level, rows or blocks
        std::size_t rowBytes = 0; ///< distance between rows (uncompressed levels)
    };

    Kind kind = Kind::Uncompressed;
    int width = 0;
    int height = 0;
    /// Uncompressed formats: bits a pixel (16, 24 or 32) and the channel masks; a mask of 0
    /// means the format lacks that channel.
    std::uint32_t bitCount = 0;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t alphaMask = 0;
    std::vector<Level> levels;

    /// Reads the layout of the DDS file `dds`. False, with the reason in `error`, when the
    /// file fails DdsCheck, claims more mipmap levels than its size allows, or is too short
    /// for all of its levels.
    static bool read(const std::uint8_t *dds, std::size_t size, DdsLayout &layout, ReasonOut error);

    /// True when the format stores an alpha channel (DXT1 stores one bit of it).
    bool hasAlpha() const { return kind != Kind::Uncompressed || alphaMask != 0; }
    /// Bytes of one 4 x 4 block (block formats only).
    std::size_t blockBytes() const { return kind == Kind::Dxt1 ? 8 : 16; }
    /// The first byte of the first level and the byte after the last level.
    std::size_t pixelsBegin() const { return levels.front().offset; }
    std::size_t pixelsEnd() const { return levels.back().offset + levels.back().size; }
    /// The format's name as a user reads it ("DXT5", "32-bit uncompressed").
    std::string formatName() const;
    /// Same format, size, number of levels and level layout.
    bool sameLayout(const DdsLayout &other) const;
};
