#pragma once
// Fits a picture of the wrong size to a texture's size when the user asks for it: a
// Mitchell/Catmull-Rom filter from stb_image_resize (never nearest neighbour), in linear light,
// with the colours weighted by their alpha so that transparent pixels bleed no colour into the
// edges of what is opaque. Fails only for sizes that are empty or too large.
#include "Picture.h"
#include "common/Reason.h"

#include <string>

namespace PictureResize {

/// `picture` resized to `width` x `height` into `resized`; the same size is a plain copy.
bool resize(const Picture &picture, int width, int height, Picture &resized, ReasonOut error);

} // namespace PictureResize
