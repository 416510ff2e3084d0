#include "TextureImage.h"

#include "DdsLayout.h"
#include "MFreeImage.h"

#include <FreeImage.h>
#include <algorithm>
#include <cctype>

namespace {

bool fail(std::string *error, const std::string &reason)
{
    if (error)
        *error = reason;
    return false;
}

// The library's memory stream over bytes it only reads.
class MemoryStream
{
public:
    MemoryStream(const std::uint8_t *data, std::size_t size)
        : mMemory(FreeImage_OpenMemory(const_cast<BYTE *>(data), static_cast<DWORD>(size)))
    {
    }
    ~MemoryStream() { FreeImage_CloseMemory(mMemory); }
    MemoryStream(const MemoryStream &) = delete;
    MemoryStream &operator=(const MemoryStream &) = delete;
    FIMEMORY *get() const { return mMemory; }

private:
    FIMEMORY *mMemory;
};

bool endsWith(const std::string &text, const std::string &tail)
{
    if (text.size() < tail.size())
        return false;
    return std::equal(
        tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

} // namespace

namespace TextureImage {

bool decodeDds(const std::uint8_t *dds, std::size_t size, Picture &picture, std::string *error)
{
    DdsLayout layout;
    if (!DdsLayout::read(dds, size, layout, error))
        return false;
    MFreeImage::ensureInitialised();
    MemoryStream stream(dds, size);
    FIBITMAP *bitmap = FreeImage_LoadFromMemory(FIF_DDS, stream.get(), 0);
    if (!bitmap)
        return fail(error, "the texture could not be decoded");
    Picture decoded;
    const bool copied = MFreeImage::toPicture(bitmap, decoded);
    FreeImage_Unload(bitmap);
    if (!copied || decoded.width != layout.width || decoded.height != layout.height)
        return fail(error, "the texture could not be decoded");
    picture = layout.hasAlpha() ? std::move(decoded) : decoded.withoutAlpha();
    return true;
}

bool decodeEntry(const Bytes &archive, const ArchiveEntry &entry, Picture &picture,
                 std::string *error)
{
    if (!entry.liesWithin(archive.size(), error))
        return false;
    return decodeDds(archive.data() + entry.textureOffset(),
                     static_cast<std::size_t>(entry.textureLength()), picture, error);
}

bool readImage(const Bytes &file, const std::string &fileName, int width, int height,
               Picture &picture, std::string *error)
{
    MFreeImage::ensureInitialised();
    MemoryStream stream(file.data(), file.size());
    FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(stream.get(), 0);
    if (format == FIF_UNKNOWN && endsWith(fileName, ".tga"))
        format = FIF_TARGA;
    if (format != FIF_PNG && format != FIF_BMP && format != FIF_TARGA && format != FIF_JPEG)
        return fail(error, "the file is not a PNG, BMP, TGA or JPEG image");
    // The header alone first: the size decides before any pixel memory is taken.
    FIBITMAP *header = FreeImage_LoadFromMemory(format, stream.get(), FIF_LOAD_NOPIXELS);
    if (!header)
        return fail(error, "the image could not be read");
    const auto w = static_cast<int>(FreeImage_GetWidth(header));
    const auto h = static_cast<int>(FreeImage_GetHeight(header));
    FreeImage_Unload(header);
    if (w != width || h != height)
        return fail(error, "the image is " + std::to_string(w) + " x " + std::to_string(h) +
                               " pixels; the texture is " + std::to_string(width) + " x " +
                               std::to_string(height));
    FreeImage_SeekMemory(stream.get(), 0, SEEK_SET);
    FIBITMAP *bitmap = FreeImage_LoadFromMemory(format, stream.get(), 0);
    if (!bitmap)
        return fail(error, "the image could not be read");
    Picture read;
    const bool copied = MFreeImage::toPicture(bitmap, read);
    FreeImage_Unload(bitmap);
    if (!copied || read.width != width || read.height != height)
        return fail(error, "the image could not be read");
    picture = std::move(read);
    return true;
}

} // namespace TextureImage
