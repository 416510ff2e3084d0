#pragma once
// A mark in each PNG that an export of a whole archive writes: a text chunk holding a
// fingerprint of the entry's texture, one of the PNG's own image data and the name of the
// archive the picture came from. A file that comes back with both fingerprints still true
// holds exactly the picture the entry decodes to, so an import of an untouched export need
// not decode it. Any editing of the pixels changes the image data (and a painting program
// drops or keeps the chunk as it likes); the file is then decoded. The archive's name stays
// true as long as the chunk is kept, edited pixels or not: it tells an import into the other
// archive. Marks of older exports carry no name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ExportMark {

using Bytes = std::vector<std::uint8_t>;

/// The PNG `png` with the mark of the texture `dds` (what it was made from) and of the archive
/// named `archive` (its file's name) before its end. A PNG without an end chunk is given back
/// unmarked.
Bytes marked(const Bytes &png, const std::uint8_t *dds, std::size_t ddsSize,
             const std::string &archive);

/// True when `file` is a PNG whose mark fits both the texture `dds` and its own image data.
bool untouched(const Bytes &file, const std::uint8_t *dds, std::size_t ddsSize);

/// The name of the archive that `file`'s mark names; empty when it is no PNG, has no mark or
/// a mark without a name.
std::string archiveOf(const Bytes &file);

/// True when two archives' file names are one name (the case of a letter aside, as on the
/// systems where the game runs).
bool sameArchive(const std::string &a, const std::string &b);

} // namespace ExportMark
