#include "TextureImage.h"

#include "DdsDecoder.h"
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

// Bytes handed to the library through its I/O hooks, noting whether it asked for more than
// the file holds: the library itself fills the missing pixels of a cut BMP or TGA in silence.
class CheckedReader
{
public:
    explicit CheckedReader(const std::vector<std::uint8_t> &file) : mFile(file)
    {
        mIo.read_proc = read;
        mIo.write_proc = nullptr;
        mIo.seek_proc = seek;
        mIo.tell_proc = tell;
    }
    FIBITMAP *load(FREE_IMAGE_FORMAT format, int flags)
    {
        mPosition = 0;
        mCutShort = false;
        return FreeImage_LoadFromHandle(format, &mIo, this, flags);
    }
    bool cutShort() const { return mCutShort; }

private:
    static unsigned DLL_CALLCONV read(void *buffer, unsigned size, unsigned count, fi_handle handle)
    {
        auto *self = static_cast<CheckedReader *>(handle);
        const std::size_t left = self->mFile.size() - std::min(self->mPosition, self->mFile.size());
        const std::size_t wanted = static_cast<std::size_t>(size) * count;
        if (size == 0 || wanted > left)
            self->mCutShort = self->mCutShort || size != 0;
        const std::size_t items = size ? std::min<std::size_t>(count, left / size) : 0;
        std::copy_n(self->mFile.data() + std::min(self->mPosition, self->mFile.size()),
                    items * size, static_cast<std::uint8_t *>(buffer));
        self->mPosition += items * size;
        return static_cast<unsigned>(items);
    }
    static int DLL_CALLCONV seek(fi_handle handle, long offset, int origin)
    {
        auto *self = static_cast<CheckedReader *>(handle);
        const long base = origin == SEEK_SET   ? 0
                          : origin == SEEK_CUR ? static_cast<long>(self->mPosition)
                                               : static_cast<long>(self->mFile.size());
        if (base + offset < 0)
            return -1;
        self->mPosition = static_cast<std::size_t>(base + offset);
        return 0;
    }
    static long DLL_CALLCONV tell(fi_handle handle)
    {
        return static_cast<long>(static_cast<CheckedReader *>(handle)->mPosition);
    }

    const std::vector<std::uint8_t> &mFile;
    FreeImageIO mIo{};
    std::size_t mPosition = 0;
    bool mCutShort = false;
};

// Formats whose reader asks for exactly the bytes a valid file holds: a short read means the
// file is cut. (JPEG and run-length TGA readers read ahead in blocks.)
bool readsExactly(FREE_IMAGE_FORMAT format, const std::vector<std::uint8_t> &file)
{
    return format == FIF_BMP ||
           (format == FIF_TARGA && file.size() > 2 && file[2] >= 1 && file[2] <= 3);
}

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
    return DdsDecoder::decode(dds, size, 0, picture, error);
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
    if (file.empty())
        return fail(error, "the file is empty");
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
    CheckedReader reader(file);
    FIBITMAP *bitmap = reader.load(format, 0);
    if (!bitmap)
        return fail(error, "the image could not be read");
    if (reader.cutShort() && readsExactly(format, file)) {
        FreeImage_Unload(bitmap);
        return fail(error, "the image file is cut short");
    }
    Picture read;
    const bool copied = MFreeImage::toPicture(bitmap, read);
    FreeImage_Unload(bitmap);
    if (!copied || read.width != width || read.height != height)
        return fail(error, "the image could not be read");
    picture = std::move(read);
    return true;
}

} // namespace TextureImage
