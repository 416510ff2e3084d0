#pragma once
// A texture is handed to the image library only after its DDS header has been checked here:
// the library trusts the header and would read past a short file or allocate whatever size
// the header claims.
#include "common/Reason.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace DdsCheck {

constexpr std::int32_t kMaxSide = 16384;
constexpr std::size_t kFileHeaderSize = 128; ///< "DDS " and the 124-byte header

/// True when the bytes are a DDS file that can be decoded safely; otherwise `*error` says
/// why. Checked: the magic
/// "DDS ", a header size of 124, width and height from 1 to 16384, a format the library
/// decodes (DXT1, DXT3, DXT5, or uncompressed 16, 24 or 32 bits per pixel) and enough bytes
/// for the top image.
bool check(const std::uint8_t *data, std::size_t size, ReasonOut error);

} // namespace DdsCheck
