// The DDS check in front of the image library: whatever it lets through, the library must
// decode without crashing and within the size the header declares. Whatever layout is read
// from it must take an encoded picture inside the texture's own bytes.
#include "textures/DdsCheck.h"
#include "textures/DdsEncoder.h"
#include "textures/DdsLayout.h"
#include "textures/MFreeImage.h"

#include <cstdlib>
#include <vector>

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

    DdsLayout layout;
    // Small pictures only: the best-quality DXT encoder takes its time over a large one.
    if (DdsLayout::read(data, size, layout, nullptr) && layout.width * layout.height <= 64 * 64) {
        if (layout.pixelsEnd() > size)
            std::abort();
        std::vector<std::uint8_t> texture(data, data + size);
        const Picture picture{
            layout.width, layout.height,
            std::vector<std::uint8_t>(
                static_cast<std::size_t>(layout.width * layout.height * Picture::kChannels), 128)};
        if (!DdsEncoder::encode(layout, picture, texture.data(), nullptr))
            std::abort();
    }
    return 0;
}
