#pragma once
// Pictures the program writes: an exported texture as a PNG (8-bit RGBA, libpng) and the
// preview's bitmap as a 32-bit BMP. The bytes depend on the picture alone (no time stamps,
// no resolution or other chunks that vary), so every platform writes the same file. Fails
// only for a picture whose pixels do not match its size, or when memory runs out; the reason
// then goes to *error and `out` is left empty.
#include "common/Reason.h"
#include "imaging/pictures/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace PictureWriter {

bool encodePng(const Picture &picture, std::vector<std::uint8_t> &out, ReasonOut error);

/// Bottom-up rows, no compression, the alpha in each pixel's fourth byte.
bool encodeBmp(const Picture &picture, std::vector<std::uint8_t> &out, ReasonOut error);

} // namespace PictureWriter
