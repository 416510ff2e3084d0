#include "MFreeImage.h"

#include <algorithm>

namespace {

void ignoreMessage(FREE_IMAGE_FORMAT, const char *) {}

} // namespace

namespace MFreeImage {

bool FreeImage_SaveBitmap(FREE_IMAGE_FORMAT format, FIBITMAP *bitmap, const char *fileName,
                          int flags)
{
    return ::FreeImage_Save(format, bitmap, fileName, flags) == 1;
}

void ensureInitialised()
{
    static const bool initialised = [] {
        FreeImage_Initialise(FALSE);
        FreeImage_SetOutputMessage(ignoreMessage);
        return true;
    }();
    (void)initialised;
}

bool toPicture(FIBITMAP *bitmap, Picture &picture)
{
    FIBITMAP *bgra = FreeImage_GetBPP(bitmap) == 32 && FreeImage_GetImageType(bitmap) == FIT_BITMAP
                         ? bitmap
                         : FreeImage_ConvertTo32Bits(bitmap);
    if (!bgra)
        return false;
    picture.width = static_cast<int>(FreeImage_GetWidth(bgra));
    picture.height = static_cast<int>(FreeImage_GetHeight(bgra));
    const std::size_t row = static_cast<std::size_t>(picture.width) * Picture::kChannels;
    picture.pixels.resize(row * static_cast<std::size_t>(picture.height));
    // The library keeps its rows bottom up.
    for (int y = 0; y < picture.height; ++y) {
        const BYTE *line = FreeImage_GetScanLine(bgra, picture.height - 1 - y);
        std::copy(line, line + row, picture.pixels.begin() + static_cast<std::ptrdiff_t>(row * y));
    }
    if (bgra != bitmap)
        FreeImage_Unload(bgra);
    return true;
}

FIBITMAP *fromPicture(const Picture &picture)
{
    const int row = picture.width * Picture::kChannels;
    // The library's rows run bottom up; `TRUE` flips the picture's top-down rows.
    return FreeImage_ConvertFromRawBits(const_cast<BYTE *>(picture.pixels.data()), picture.width,
                                        picture.height, row, 32, FI_RGBA_RED_MASK,
                                        FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, TRUE);
}

} // namespace MFreeImage
