#pragma once
// Pictures from users (PNG, BMP, TGA and JPEG files a modder downloaded) read into a Picture
// by decoders with a security record: libpng and libjpeg-turbo with their limits set, and the
// strict BMP and TGA readers of this folder. The image library's own decoders never see such
// a file. Every header is checked, and the size compared, before any pixel memory is taken;
// metadata (text chunks, EXIF, colour profiles, TGA extension areas) is never decoded.
#include "Picture.h"
#include "common/Reason.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace PictureReader {

enum class Format { Png, Bmp, Tga, Jpeg };

/// The largest picture read, in pixels (4096 x 4096): a picture replaces one texture.
constexpr std::int64_t kMaxPixels = std::int64_t{4096} * 4096;

/// "PNG", "BMP", "TGA" or "JPEG".
const char *formatName(Format format);

/// The format a file name's extension names (.png, .bmp/.dib, .tga, .jpg/.jpeg/.jpe/.jfif,
/// in any case), or nothing.
std::optional<Format> formatOfName(const std::string &fileName);

/// The format of the bytes of a file: told by the signature, and for a TGA, which has none,
/// by `fileName`. A signature that disagrees with the name's extension is refused, and so is
/// a file of no known format.
std::optional<Format> formatOf(const std::uint8_t *data, std::size_t size,
                               const std::string &fileName, ReasonOut error);

/// Reads a picture of exactly `width` x `height` pixels. A picture of another size is refused
/// from its header alone; a damaged, cut or unsupported file is refused with the reason, and
/// `picture` is then left as it was.
bool read(const std::uint8_t *data, std::size_t size, const std::string &fileName, int width,
          int height, Picture &picture, ReasonOut error);

/// Reads a picture of whatever size it has (up to kMaxPixels), for a caller that resizes it.
bool readAnySize(const std::uint8_t *data, std::size_t size, const std::string &fileName,
                 Picture &picture, ReasonOut error);

} // namespace PictureReader
