// The DDS check in front of the image library: whatever it lets through, the library must
// decode without crashing and within the size the header declares.
#include "textures/DdsCheck.h"
#include "textures/MFreeImage.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string error;
    if (!DdsCheck::check(data, size, &error))
        return 0;
    MFreeImage::ensureInitialised();
    FIMEMORY *memory = FreeImage_OpenMemory(const_cast<BYTE *>(data), static_cast<DWORD>(size));
    FIBITMAP *bitmap = FreeImage_LoadFromMemory(FIF_DDS, memory, 0);
    if (bitmap) {
        const unsigned width = FreeImage_GetWidth(bitmap);
        const unsigned height = FreeImage_GetHeight(bitmap);
        if (width == 0 || height == 0 || width > DdsCheck::kMaxSide || height > DdsCheck::kMaxSide)
            std::abort();
        FreeImage_Unload(bitmap);
    }
    FreeImage_CloseMemory(memory);
    return 0;
}
