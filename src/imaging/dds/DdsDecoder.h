#pragma once
// Decodes any mipmap level of a DDS texture into a picture: DXT1, DXT3 and DXT5 with
// libsquish, block by block, so that a side that is not a multiple of 4 keeps its true size
// (the padding pixels of its edge blocks are dropped); uncompressed formats by their channel
// masks. Works on a layout that DdsLayout has read, so every level lies inside the bytes.
#include "DdsLayout.h"
#include "imaging/pictures/Picture.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace DdsDecoder {

/// Decodes level `level` (0 is the full size) of the DDS file `dds` of `size` bytes, whose
/// layout `layout` was read from the same bytes. A format without an alpha channel decodes
/// opaque. False, with the reason in `error`, for a level the layout does not have.
bool decodeLevel(const std::uint8_t *dds, std::size_t size, const DdsLayout &layout, int level,
                 Picture &picture, ReasonOut error);

/// Reads the layout of `dds` and decodes its level `level`.
bool decode(const std::uint8_t *dds, std::size_t size, int level, Picture &picture,
            ReasonOut error);

} // namespace DdsDecoder
