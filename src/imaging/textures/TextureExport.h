#pragma once
// Writing a texture's picture out for painting programs: a PNG that keeps its alpha, and the
// file names that an export of a whole archive gives its entries.
#include "common/FileIo.h"
#include "imaging/pictures/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TextureExport {

using Bytes = std::vector<std::uint8_t>;

/// Encodes the picture as a 32-bit PNG with alpha.
bool encodePng(const Picture &picture, Bytes &png, ReasonOut error);

/// Writes the picture as a PNG file, replacing `path` safely; `sync` as for
/// FileIo::writeFileAtomic (an export of many new files may leave them to the system's cache).
bool writePng(const Picture &picture, const std::string &path, ReasonOut error,
              FileIo::Sync sync = FileIo::Sync::Durable);

/// The file name of entry `index` in an export: "<NNN>_<name>.png", the number zero-padded to
/// three digits (more when `count` needs them) and the name (Windows-1252) read up to its
/// first zero byte, made UTF-8 and safe: characters a file name cannot hold become "_".
std::string fileName(int index, int count, const std::string &ansiName);

} // namespace TextureExport
