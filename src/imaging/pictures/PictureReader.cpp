#include "PictureReader.h"

#include "PictureFormats.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace PictureFormats {

bool fail(ReasonOut error, Reasons::Id reason)
{
    return error.fail(Reason(reason));
}

bool checkSize(std::int64_t width, std::int64_t height, Wanted wanted, ReasonOut error)
{
    if (width == wanted.width && height == wanted.height)
        return true;
    if (wanted.width == 0 && wanted.height == 0) {
        if (width >= 1 && height >= 1 && width * height <= PictureReader::kMaxPixels)
            return true;
        return fail(error, Reasons::Id::PictureTooLarge);
    }
    return error.fail(Reason(Reasons::Id::PictureOtherSize,
                             {std::to_string(width), std::to_string(height),
                              std::to_string(wanted.width), std::to_string(wanted.height)}));
}

} // namespace PictureFormats

namespace PictureReader {

namespace {

using PictureFormats::fail;

// The extension of the last part of a path, lower case with its dot (".png"), or empty.
std::string extensionOf(const std::string &fileName)
{
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = fileName.substr(dot);
    for (auto &c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

std::optional<Format> signatureOf(const std::uint8_t *data, std::size_t size)
{
    static const std::uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= sizeof png && std::memcmp(data, png, sizeof png) == 0)
        return Format::Png;
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return Format::Jpeg;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        return Format::Bmp;
    return std::nullopt;
}

} // namespace

const char *formatName(Format format)
{
    switch (format) {
    case Format::Png:
        return "PNG";
    case Format::Bmp:
        return "BMP";
    case Format::Tga:
        return "TGA";
    case Format::Jpeg:
        return "JPEG";
    }
    return "?";
}

std::optional<Format> formatOfName(const std::string &fileName)
{
    const std::string extension = extensionOf(fileName);
    if (extension == ".png")
        return Format::Png;
    if (extension == ".bmp" || extension == ".dib")
        return Format::Bmp;
    if (extension == ".tga")
        return Format::Tga;
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".jpe" || extension == ".jfif")
        return Format::Jpeg;
    return std::nullopt;
}

std::optional<Format> formatOf(const std::uint8_t *data, std::size_t size,
                               const std::string &fileName, ReasonOut error)
{
    if (size == 0) {
        fail(error, Reasons::Id::PictureEmpty);
        return std::nullopt;
    }
    const std::optional<Format> named = formatOfName(fileName);
    const std::optional<Format> content = signatureOf(data, size);
    if (content && (!named || named == content))
        return content;
    if (!content && named == Format::Tga)
        return Format::Tga;
    if (content)
        error.set(Reason(Reasons::Id::PictureNameDisagrees,
                         {formatName(*content), extensionOf(fileName)}));
    else if (named)
        error.set(Reason(Reasons::Id::PictureNotOfItsName,
                         {extensionOf(fileName), formatName(*named)}));
    else
        error.set(Reason(Reasons::Id::PictureUnknownFormat));
    return std::nullopt;
}

namespace {

// Reads a picture of the wanted size, or of any size when both are 0.
bool readWanted(const std::uint8_t *data, std::size_t size, const std::string &fileName,
                PictureFormats::Wanted wanted, Picture &picture, ReasonOut error)
{
    const std::optional<Format> format = formatOf(data, size, fileName, error);
    if (!format)
        return false;
    Picture read;
    bool ok = false;
    switch (*format) {
    case Format::Png:
        ok = PictureFormats::readPng(data, size, wanted, read, error);
        break;
    case Format::Bmp:
        ok = PictureFormats::readBmp(data, size, wanted, read, error);
        break;
    case Format::Tga:
        ok = PictureFormats::readTga(data, size, wanted, read, error);
        break;
    case Format::Jpeg:
        ok = PictureFormats::readJpeg(data, size, wanted, read, error);
        break;
    }
    if (!ok)
        return false;
    const bool anySize = wanted.width == 0 && wanted.height == 0;
    if (read.width < 1 || read.height < 1 ||
        (!anySize && (read.width != wanted.width || read.height != wanted.height)) ||
        read.pixels.size() != static_cast<std::size_t>(read.width) * read.height * Picture::kChannels)
        return fail(error, PictureFormats::kDamaged); // never: each reader checks this
    picture = std::move(read);
    return true;
}

} // namespace

bool read(const std::uint8_t *data, std::size_t size, const std::string &fileName, int width,
          int height, Picture &picture, ReasonOut error)
{
    if (!formatOf(data, size, fileName, error))
        return false;
    if (width < 1 || height < 1 || static_cast<std::int64_t>(width) * height > kMaxPixels)
        return fail(error, Reasons::Id::PictureTooLarge);
    return readWanted(data, size, fileName, {width, height}, picture, error);
}

bool readAnySize(const std::uint8_t *data, std::size_t size, const std::string &fileName,
                 Picture &picture, ReasonOut error)
{
    return readWanted(data, size, fileName, {0, 0}, picture, error);
}

} // namespace PictureReader
