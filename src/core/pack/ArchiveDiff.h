#pragma once
// What differs between two unwrapped texture archives: the entries, paired by number, whose
// textures (the DDS after the 16-byte entry header) are not the same bytes. An entry that lies
// outside its archive counts as holding no texture. It cannot fail.
#include <cstdint>
#include <string>
#include <vector>

namespace ArchiveDiff {

using Bytes = std::vector<std::uint8_t>;

struct Entry
{
    std::int32_t entry = 0;
    std::string name; ///< the entry's 4-character name (UTF-8) in the second archive, or empty
};

struct Result
{
    std::vector<Entry> changed;
    std::int32_t countA = 0; ///< entries of the first archive
    std::int32_t countB = 0;
    bool equal() const { return changed.empty() && countA == countB; }
};

/// Entries past the shorter table are told by the counts only. An archive whose table runs
/// past its end counts as holding no entries.
Result compare(const Bytes &a, const Bytes &b);

/// The texture of `entry` in `archive`, or nothing when the entry lies outside it.
bool textureOf(const Bytes &archive, std::int32_t entry, Bytes &texture);
/// The entry's name (UTF-8), or the empty text when it cannot be read.
std::string nameOf(const Bytes &archive, std::int32_t entry);

/// True when two textures begin with the same DDS header ("DDS " and 124 bytes, or as much of
/// it as the shorter holds): what a change of pixels alone keeps.
bool sameHeader(const Bytes &a, const Bytes &b);

} // namespace ArchiveDiff
