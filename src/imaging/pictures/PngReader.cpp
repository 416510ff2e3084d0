// PNG files through libpng, with its limits set: chunks other than the image's own are skipped
// unread, no chunk may claim more than 1 MiB, and no side may exceed 16384 pixels.
#include "PictureFormats.h"

#include <csetjmp>
#include <cstring>
#include <new>
#include <png.h>
#include <vector>

namespace PictureFormats {

namespace {

constexpr png_uint_32 kMaxSide = 16384;
constexpr png_alloc_size_t kMaxChunk = 1 << 20;

struct Source
{
    const std::uint8_t *data;
    std::size_t size;
    std::size_t position;
    Reasons::Id reason; ///< why libpng stopped
};

void readData(png_structp png, png_bytep out, png_size_t length)
{
    auto *source = static_cast<Source *>(png_get_io_ptr(png));
    if (length > source->size - source->position) {
        source->reason = kCutShort;
        png_error(png, "cut short");
    }
    std::memcpy(out, source->data + source->position, length);
    source->position += length;
}

[[noreturn]] void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// libpng's structures, freed on every way out.
struct Reader
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~Reader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

enum class Outcome { Read, Failed, Refused };

// Everything libpng may leave by a long jump happens here, with no object of this frame
// changed after setjmp: the picture and the row table belong to the caller.
Outcome decode(png_structp png, png_infop info, Wanted wanted, Picture &picture,
               std::vector<png_bytep> &rows, ReasonOut error)
{
    // libpng's documented way out of a failed call: its C frames cannot carry an exception.
    if (setjmp(png_jmpbuf(png))) // NOLINT(cert-err52-cpp)
        return Outcome::Failed;
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_chunk_cache_max(png, 32);
    png_set_chunk_malloc_max(png, kMaxChunk);
    // Text, EXIF, colour profiles and every other ancillary chunk but transparency: skipped.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!checkSize(width, height, wanted, error))
        return Outcome::Refused;
    png_set_expand(png); // palettes, low bit depths and transparency to 8-bit channels
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    (void)png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t stride = static_cast<std::size_t>(width) * Picture::kChannels;
    if (png_get_rowbytes(png, info) != stride)
        return Outcome::Failed;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(stride * height);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = picture.pixels.data() + stride * y;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return Outcome::Read;
}

} // namespace

bool readPng(const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
             ReasonOut error)
{
    Source source{data, size, 0, kDamaged};
    Reader reader;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (reader.png)
        reader.info = png_create_info_struct(reader.png);
    if (!reader.info)
        return fail(error, kNoMemory);
    png_set_read_fn(reader.png, &source, readData);
    std::vector<png_bytep> rows;
    Picture read;
    try {
        switch (decode(reader.png, reader.info, wanted, read, rows, error)) {
        case Outcome::Read:
            picture = std::move(read);
            return true;
        case Outcome::Refused:
            return false;
        case Outcome::Failed:
            return fail(error, source.reason);
        }
    } catch (const std::bad_alloc &) {
        return fail(error, kNoMemory);
    }
    return false;
}

} // namespace PictureFormats
