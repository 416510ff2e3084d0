#pragma once
// Encodes a picture into the pixel levels of an existing DDS texture, in the texture's own
// format: DXT1, DXT3 and DXT5 with libsquish at its best quality, uncompressed formats by
// their channel masks (8-bit channels exactly). Levels below the top are made from the
// picture, each half the size of the one above.
#include "DdsLayout.h"
#include "imaging/pictures/Picture.h"

#include <cstdint>
#include <string>

namespace DdsEncoder {

/// Writes every level of `layout` into `dds` (the whole DDS file the layout was read from)
/// from `picture`, which must be the layout's size. Only the levels' bytes are written; in
/// uncompressed formats the bits that no channel mask covers keep their value.
bool encode(const DdsLayout &layout, const Picture &picture, std::uint8_t *dds, ReasonOut error);

/// The picture at half its size (rounded down, at least 1 x 1): each pixel the mean of the
/// 2 x 2 pixels (fewer at an odd edge) it stands for.
Picture halve(const Picture &picture);

} // namespace DdsEncoder
