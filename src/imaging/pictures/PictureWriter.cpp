#include "PictureWriter.h"

#include <png.h>

#include <csetjmp>
#include <new>

namespace PictureWriter {

namespace {

bool fail(std::vector<std::uint8_t> &out, ReasonOut error, Reasons::Id reason)
{
    out.clear();
    return error.fail(Reason(reason));
}

bool wellFormed(const Picture &picture)
{
    return picture.width > 0 && picture.height > 0 &&
           picture.pixels.size() == static_cast<std::size_t>(picture.width) *
                                        static_cast<std::size_t>(picture.height) *
                                        Picture::kChannels;
}

void append(png_structp png, png_bytep data, png_size_t size)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(png_get_io_ptr(png));
    bool appended = true;
    try {
        out->insert(out->end(), data, data + size);
    } catch (const std::bad_alloc &) {
        appended = false;
    }
    if (!appended)
        png_error(png, "out of memory");
}

void flush(png_structp) {}

void put16(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

bool encodePng(const Picture &picture, std::vector<std::uint8_t> &out, ReasonOut error)
{
    out.clear();
    if (!wellFormed(picture))
        return fail(out, error, Reasons::Id::PictureNotConverted);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return fail(out, error, Reasons::Id::PngNotEncoded);
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(picture.height));
    const std::size_t stride = static_cast<std::size_t>(picture.width) * Picture::kChannels;
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = const_cast<png_bytep>(picture.pixels.data() + y * stride);
    // libpng reports its errors by a long jump back here; nothing above owns memory that a
    // jump would leak.
    if (setjmp(png_jmpbuf(png))) { // NOLINT(cert-err52-cpp)
        png_destroy_write_struct(&png, &info);
        return fail(out, error, Reasons::Id::PngNotEncoded);
    }
    png_set_write_fn(png, &out, append, flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png); // the picture's pixels are blue, green, red, alpha
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool encodeBmp(const Picture &picture, std::vector<std::uint8_t> &out, ReasonOut error)
{
    out.clear();
    if (!wellFormed(picture))
        return fail(out, error, Reasons::Id::PictureNotConverted);
    constexpr std::uint32_t kHeaders = 14 + 40;
    const std::size_t stride = static_cast<std::size_t>(picture.width) * Picture::kChannels;
    const std::size_t pixels = stride * static_cast<std::size_t>(picture.height);
    if (pixels > 0xFFFFFFFFu - kHeaders)
        return fail(out, error, Reasons::Id::PictureNotConverted);
    try {
        out.reserve(kHeaders + pixels);
        out.push_back('B');
        out.push_back('M');
        put32(out, static_cast<std::uint32_t>(kHeaders + pixels));
        put32(out, 0);
        put32(out, kHeaders);
        put32(out, 40);
        put32(out, static_cast<std::uint32_t>(picture.width));
        put32(out, static_cast<std::uint32_t>(picture.height));
        put16(out, 1);
        put16(out, 32);
        put32(out, 0); // no compression
        put32(out, static_cast<std::uint32_t>(pixels));
        put32(out, 2835); // 72 dots an inch, as pictures without a resolution are shown
        put32(out, 2835);
        put32(out, 0);
        put32(out, 0);
        for (std::size_t y = static_cast<std::size_t>(picture.height); y-- > 0;) {
            const auto row = picture.pixels.begin() + static_cast<std::ptrdiff_t>(y * stride);
            out.insert(out.end(), row, row + static_cast<std::ptrdiff_t>(stride));
        }
    } catch (const std::bad_alloc &) {
        return fail(out, error, Reasons::Id::PictureNoMemory);
    }
    return true;
}

} // namespace PictureWriter
