#include "MFreeImage.h"

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

} // namespace MFreeImage
