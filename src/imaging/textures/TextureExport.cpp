#include "TextureExport.h"

#include "common/Ansi.h"
#include "common/FileIo.h"
#include "imaging/pictures/MFreeImage.h"

#include <algorithm>
#include <cstring>

namespace TextureExport {

bool encodePng(const Picture &picture, Bytes &png, ReasonOut error)
{
    MFreeImage::ensureInitialised();
    FIBITMAP *bitmap = MFreeImage::fromPicture(picture);
    if (!bitmap) {
        return error.fail(Reason(Reasons::Id::PictureNotConverted));
    }
    FIMEMORY *memory = FreeImage_OpenMemory();
    const bool saved = FreeImage_SaveToMemory(FIF_PNG, bitmap, memory, PNG_DEFAULT) == TRUE;
    BYTE *data = nullptr;
    DWORD size = 0;
    if (saved && FreeImage_AcquireMemory(memory, &data, &size))
        png.assign(data, data + size);
    FreeImage_CloseMemory(memory);
    FreeImage_Unload(bitmap);
    if (!saved || size == 0) {
        return error.fail(Reason(Reasons::Id::PngNotEncoded));
    }
    return true;
}

bool writePng(const Picture &picture, const std::string &path, ReasonOut error, FileIo::Sync sync)
{
    Bytes png;
    return encodePng(picture, png, error) && FileIo::writeFileAtomic(path, png, error, sync);
}

std::string fileName(int index, int count, const std::string &ansiName)
{
    const std::size_t digits =
        std::max<std::size_t>(3, std::to_string(std::max(count - 1, 0)).size());
    std::string number = std::to_string(index);
    number.insert(0, digits - std::min(digits, number.size()), '0');
    std::string name = ansiName.substr(0, ansiName.find('\0'));
    for (auto &c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::strchr("/\\:*?\"<>|", c))
            c = '_';
    }
    return number + "_" + Ansi::toUtf8(name) + ".png";
}

} // namespace TextureExport
