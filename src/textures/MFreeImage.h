#pragma once
// The image library's save call as the preview uses it.
#include <FreeImage.h>

namespace MFreeImage {

/// Passes the four values to FreeImage_Save unchanged; true exactly when it returns 1.
bool FreeImage_SaveBitmap(FREE_IMAGE_FORMAT format, FIBITMAP *bitmap, const char *fileName,
                          int flags);

/// Makes sure the library is initialised and quiet (its messages go nowhere).
void ensureInitialised();

} // namespace MFreeImage
