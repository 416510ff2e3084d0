#pragma once
// Pictures for the texture code: an archive entry's DDS texture decoded to a picture (by
// DdsDecoder, at its true size; every DDS passes DdsCheck first), and a picture read from a PNG,
// BMP, TGA or JPEG file by PictureReader (never by the image library).
#include "archive/ArchiveEntry.h"
#include "imaging/pictures/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace TextureImage {

using Bytes = std::vector<std::uint8_t>;

/// Decodes the top level of the DDS file `dds`. A format without an alpha channel decodes
/// opaque.
bool decodeDds(const std::uint8_t *dds, std::size_t size, Picture &picture, ReasonOut error);

/// Decodes the texture of `entry` of the unwrapped archive `archive`.
bool decodeEntry(const Bytes &archive, const ArchiveEntry &entry, Picture &picture,
                 ReasonOut error);

/// Reads a PNG, BMP, TGA or JPEG image of exactly `width` x `height` pixels from the bytes of
/// a file with PictureReader::read. The format is told by the bytes; a TGA, which has no
/// signature, by `fileName` ending in ".tga"; bytes that disagree with the name's extension
/// are refused. An image of another size is refused before its pixels are decoded.
bool readImage(const Bytes &file, const std::string &fileName, int width, int height,
               Picture &picture, ReasonOut error);

} // namespace TextureImage
