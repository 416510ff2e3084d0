#pragma once
// A mark in each PNG that an export of a whole archive writes: a text chunk holding a
// fingerprint of the entry's texture and one of the PNG's own image data. A file that comes
// back with both still true holds exactly the picture the entry decodes to, so an import of
// an untouched export need not decode it. Any editing of the pixels changes the image data
// (and a painting program drops or keeps the chunk as it likes); the file is then decoded.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ExportMark {

using Bytes = std::vector<std::uint8_t>;

/// The PNG `png` with the mark of the texture `dds` (what it was made from) before its end.
/// A PNG without an end chunk is given back unmarked.
Bytes marked(const Bytes &png, const std::uint8_t *dds, std::size_t ddsSize);

/// True when `file` is a PNG whose mark fits both the texture `dds` and its own image data.
bool untouched(const Bytes &file, const std::uint8_t *dds, std::size_t ddsSize);

} // namespace ExportMark
