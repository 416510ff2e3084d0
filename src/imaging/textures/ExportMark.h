#pragma once
// A mark in each PNG that an export of a whole archive writes: a text chunk holding a
// fingerprint of the entry's texture, one of the PNG's own image data, and the archive the
// picture came from (its identity and its file's name). A file that comes back with both
// fingerprints still true holds exactly the picture the entry decodes to, so an import of an
// untouched export need not decode it. Any editing of the pixels changes the image data (and
// a painting program drops or keeps the chunk as it likes); the file is then decoded. The
// archive stays true as long as the chunk is kept, edited pixels or not: it tells an import
// into another archive, whatever either file is called. Marks of older exports carry the
// name alone, and the oldest not even that.
#include "common/Reason.h"
#include "pack/Pack.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ExportMark {

using Bytes = std::vector<std::uint8_t>;

/// The archive a picture was exported from, or an import goes into.
struct Origin
{
    std::string archive; ///< its file's name; empty in the oldest marks
    /// Its identity (ArchiveIdentity::of()); missing in older marks and for an archive whose
    /// table cannot be read.
    std::optional<PackArchiveTable> table = std::nullopt;
};

/// The PNG `png` with the mark of the texture `dds` (what it was made from) and of the archive
/// `origin` before its end. A PNG without an end chunk is given back unmarked.
Bytes marked(const Bytes &png, const std::uint8_t *dds, std::size_t ddsSize, const Origin &origin);

/// True when `file` is a PNG whose mark fits both the texture `dds` and its own image data.
bool untouched(const Bytes &file, const std::uint8_t *dds, std::size_t ddsSize);

/// The archive that `file`'s mark names; nothing of it when `file` is no PNG or has no mark.
Origin originOf(const Bytes &file);

/// True when a picture marked as from `mark` may go into the archive `into`. A mark without a
/// name (of the oldest exports) fits any archive. Archives are told by their identities where
/// both are known (a renamed copy is the same archive, another archive of the same name is
/// not), else by their file names (the case of a letter aside, as on the systems where the
/// game runs). Otherwise the reason names both archives.
bool fits(const Origin &mark, const Origin &into, ReasonOut why);

} // namespace ExportMark
