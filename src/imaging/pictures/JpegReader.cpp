// JPEG files through libjpeg-turbo: markers other than the image's own (EXIF, comments,
// profiles) are skipped unread, the size is compared before decompression starts, and a
// progressive file may not hold more scans than a real one needs. A file whose scan data is
// missing or cut short is refused: libjpeg would fill the lost part with grey and only warn,
// or, for arithmetic-coded data that ends at a marker, not even warn.
#include "PictureFormats.h"

#include <csetjmp>
#include <cstdio>
#include <new>
// jpeglib.h needs FILE and size_t declared first; jerror.h names the arithmetic decoder's
// warnings only after jpeglib.h says that the library has that decoder.
#include <jpeglib.h>
// (after jpeglib.h)
#include <jerror.h>

namespace PictureFormats {

namespace {

constexpr int kMaxScans = 256;
constexpr long kMaxMemory = 256L << 20;

struct Errors
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool cutShort;
    bool unsupported;
};

[[noreturn]] void onError(j_common_ptr info)
{
    // libjpeg's documented way out of a failed call: its C frames cannot carry an exception.
    std::longjmp(reinterpret_cast<Errors *>(info->err)->jump, 1); // NOLINT(cert-err52-cpp)
}

// Warnings are not printed; those that count are the ones after which libjpeg makes up
// pixels: the data ended, a marker came where scan data should be, or the data is corrupt.
void onMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
#ifdef D_ARITH_CODING_SUPPORTED
    case JWRN_ARITH_BAD_CODE:
#endif
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        reinterpret_cast<Errors *>(info->err)->cutShort = true;
        break;
    default:
        break;
    }
}

// True when every coefficient of every component came in some scan: a progressive file that
// ends (with its end marker) before its later scans decodes without a warning, but blurred.
bool everyCoefficientRead(const jpeg_decompress_struct &info)
{
    if (!info.progressive_mode || !info.coef_bits)
        return true;
    for (int c = 0; c < info.num_components; ++c) {
        for (int k = 0; k < DCTSIZE2; ++k) {
            if (info.coef_bits[c][k] < 0)
                return false;
        }
    }
    return true;
}

// True when a sequential file's first scan has no coded data: a marker follows its header at
// once. Every block of such a scan codes at least one decision against the coder's starting
// guess, so real data is never empty. The Huffman decoder warns of an empty scan; the
// arithmetic decoder takes the missing data for zeros (as the dropped trailing zeros of any of
// its scans are) and makes a grey picture of it. A progressive file's first scan, of the
// average colours only, may be empty for a grey picture: its checks come after the scans.
bool firstScanEmpty(const jpeg_decompress_struct &info)
{
    const jpeg_source_mgr &source = *info.src;
    return !info.progressive_mode &&
           (source.bytes_in_buffer < 2 ||
            (source.next_input_byte[0] == 0xFF && source.next_input_byte[1] != 0x00));
}

void onProgress(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        info->err->error_exit(info);
}

// libjpeg's structure, freed on every way out (destroying a zeroed one is allowed).
struct Reader
{
    jpeg_decompress_struct info{};
    ~Reader() { jpeg_destroy_decompress(&info); }
};

enum class Outcome { Read, Failed, Refused };

// Everything libjpeg may leave by a long jump happens here, with no object of this frame
// changed after setjmp: the picture belongs to the caller.
Outcome decode(jpeg_decompress_struct &info, Errors &errors, jpeg_progress_mgr &progress,
               const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
               ReasonOut error)
{
    if (setjmp(errors.jump)) // NOLINT(cert-err52-cpp): see onError
        return Outcome::Failed;
    jpeg_create_decompress(&info); // clears everything but the error manager
    info.progress = &progress;
    info.mem->max_memory_to_use = kMaxMemory;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    (void)jpeg_read_header(&info, TRUE);
    if (firstScanEmpty(info))
        errors.cutShort = true;
    if (errors.cutShort)
        return Outcome::Failed;
    if (!checkSize(info.image_width, info.image_height, wanted, error))
        return Outcome::Refused;
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        errors.unsupported = true;
        return Outcome::Failed;
    }
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info); // reads every scan of a progressive file
    if (errors.cutShort || !everyCoefficientRead(info)) {
        errors.cutShort = true;
        return Outcome::Failed;
    }
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * Picture::kChannels;
    if (info.output_components != Picture::kChannels || info.output_width != info.image_width ||
        info.output_height != info.image_height)
        return Outcome::Failed;
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    picture.pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.pixels.data() + stride * info.output_scanline;
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            return Outcome::Failed;
    }
    (void)jpeg_finish_decompress(&info);
    return errors.cutShort ? Outcome::Failed : Outcome::Read;
}

} // namespace

bool readJpeg(const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
              ReasonOut error)
{
    Errors errors{};
    Reader reader;
    reader.info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = onError;
    errors.manager.emit_message = onMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = onProgress;
    Picture read;
    try {
        switch (decode(reader.info, errors, progress, data, size, wanted, read, error)) {
        case Outcome::Read:
            picture = std::move(read);
            return true;
        case Outcome::Refused:
            return false;
        case Outcome::Failed:
            return fail(error, errors.cutShort      ? kCutShort
                               : errors.unsupported ? Reasons::Id::JpegCmykUnsupported
                                                    : kDamaged);
        }
    } catch (const std::bad_alloc &) {
        return fail(error, kNoMemory);
    }
    return false;
}

} // namespace PictureFormats
