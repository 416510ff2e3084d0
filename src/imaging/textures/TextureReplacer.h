#pragma once
// Replaces the picture of one entry of an unwrapped texture archive held in memory. Only the
// bytes of the entry's pixel levels change: its length, its entry header, its DDS header, its
// name, the table and every other entry stay as they were. On any failure the archive is
// left untouched.
#include "archive/ArchiveEntry.h"
#include "common/FileIo.h"
#include "imaging/dds/DdsLayout.h"
#include "imaging/pictures/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TextureReplacer {

using Bytes = std::vector<std::uint8_t>;

/// The layout of the entry's texture (its format, size and mipmap levels); false when the
/// entry does not lie inside the archive or is not a valid DDS texture.
bool entryLayout(const Bytes &archive, const ArchiveEntry &entry, DdsLayout &layout,
                 ReasonOut error);

/// Encodes `picture`, which must have the entry's width and height, into the entry's own
/// format and mipmap levels.
bool replace(Bytes &archive, const ArchiveEntry &entry, const Picture &picture, ReasonOut error);

/// Copies the pixel levels of the DDS file `dds`, which must have the entry's format, size
/// and mipmap levels, into the entry unchanged.
bool replaceWithDds(Bytes &archive, const ArchiveEntry &entry, const Bytes &dds,
                    ReasonOut error);
/// Whether replaceWithDds() would take `dds` for the entry; `layout` is then the entry's.
bool ddsFits(const Bytes &archive, const ArchiveEntry &entry, const Bytes &dds, DdsLayout &layout,
             ReasonOut error);
/// The same without the layout: the check a pack's texture passes before it goes in.
bool ddsFits(const Bytes &archive, const ArchiveEntry &entry, const Bytes &dds, ReasonOut error);

/// What a picture of another size than its entry's gets: refused, or resized (PictureResize)
/// because the user asked for it.
enum class Fit { Exact, Resize };

/// Replaces the entry's picture from the bytes of an image file: a DDS (told by its first
/// bytes) as replaceWithDds() takes it, any other file as a PNG, BMP, TGA or JPEG of the
/// entry's size (`fileName` tells a TGA; another size only with Fit::Resize) encoded by
/// replace(). A picture that decodes to what the entry holds is not encoded again. `changed`,
/// when given, tells whether any byte of the entry changed. The one way the editor and
/// cleatwork-cli put a file into an entry.
bool replaceFromFile(Bytes &archive, const ArchiveEntry &entry, const Bytes &file,
                     const std::string &fileName, ReasonOut error, bool *changed = nullptr,
                     Fit fit = Fit::Exact);

/// True when `error` is the refusal of a picture for its size alone (a DDS of another size
/// is not: it cannot be resized).
bool refusedForSize(const Reason &error);

/// The largest picture or DDS file read for an entry: far above any picture of a texture's
/// largest size (16384 x 16384) that a painting program compresses.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{256} << 20;

/// Reads a picture or DDS file for replaceFromFile(); a file over kMaxFileBytes, and anything
/// but a regular file, is refused before anything of it is read.
bool readFile(const std::string &path, Bytes &file, ReasonOut error,
              FileIo::Links links = FileIo::Links::Follow);

/// A copy of the entry's texture, the DDS file that follows its entry header. Handing it back to
/// replaceWithDds undoes a replacement (and redoes one without encoding again).
bool entryTexture(const Bytes &archive, const ArchiveEntry &entry, Bytes &dds, ReasonOut error);

/// True when the bytes of a file are a DDS file (they start with "DDS ").
bool isDds(const Bytes &file);

} // namespace TextureReplacer
