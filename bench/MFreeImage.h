#pragma once
// FreeImage as the benchmarks' yardstick: its DDS, PNG and picture decoders, which the
// program's own code is measured against.
#include "imaging/pictures/Picture.h"

#include <FreeImage.h>

namespace MFreeImage {

/// Passes the four values to FreeImage_Save unchanged; true exactly when it returns 1.
bool FreeImage_SaveBitmap(FREE_IMAGE_FORMAT format, FIBITMAP *bitmap, const char *fileName,
                          int flags);

/// Makes sure the library is initialised and quiet (its messages go nowhere).
void ensureInitialised();

/// Copies a bitmap of any depth into a picture (converted to 32 bits where needed); false
/// when the library cannot convert it.
bool toPicture(FIBITMAP *bitmap, Picture &picture);

/// A 32-bit bitmap of the picture (the caller unloads it); null when the library cannot make
/// one.
FIBITMAP *fromPicture(const Picture &picture);

} // namespace MFreeImage
