#pragma once
// Where one entry of an unwrapped texture archive lies. An entry's data is a 16-byte entry
// header followed by its DDS texture; its 4-character name lies 11 bytes past the table's name
// field. Every position in this program that points into an archive entry comes from here.
#include "Textura.h"

#include <cstdint>
#include <string>
#include <vector>

struct ArchiveEntry
{
    static constexpr std::int64_t kHeaderSize = 16;
    static constexpr std::int64_t kNameLength = 4;
    static constexpr std::int64_t kNameShift = 11;

    /// Zero-based offset of the entry's data (its 16-byte header) in the archive.
    std::int64_t dataOffset = 0;
    /// Length of the entry's data, header included.
    std::int64_t length = 0;
    /// Zero-based offset of the entry's 4-character name in the archive.
    std::int64_t nameOffset = 0;

    static ArchiveEntry of(const TextureEntry &row);
    /// The entry that `index` designates in `archive` (clamped as Textura's getters clamp it).
    static ArchiveEntry of(const Textura &archive, std::int32_t index);

    /// The one-based position of the entry's data: the text the entry lists show.
    std::int64_t dataPosition() const { return dataOffset + 1; }
    /// The one-based position of the entry's name.
    std::int64_t namePosition() const { return nameOffset + 1; }

    std::int64_t textureOffset() const { return dataOffset + kHeaderSize; }
    /// The texture's length: 0 for an entry of 16 bytes or fewer.
    std::int64_t textureLength() const { return length > kHeaderSize ? length - kHeaderSize : 0; }

    /// True when the entry's data and its name lie inside an archive of `archiveSize` bytes;
    /// otherwise `error` says which does not.
    bool liesWithin(std::uint64_t archiveSize, ReasonOut error) const;

    /// The entry's 4-character name (Windows-1252) from a whole archive in memory.
    bool readName(const std::vector<std::uint8_t> &archive, std::string &name,
                  ReasonOut error) const;
};
