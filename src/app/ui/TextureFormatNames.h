#pragma once
// How the windows name a texture's format in the user's language ("DXT5", "32-bit
// uncompressed"), the same under the preview and in the viewer.
#include "imaging/dds/DdsLayout.h"

#include <QString>

namespace TextureFormatNames {

QString format(const DdsLayout &layout);

} // namespace TextureFormatNames
