#include "TextureExport.h"

#include "common/Ansi.h"
#include "common/FileIo.h"
#include "imaging/pictures/PictureWriter.h"

#include <algorithm>
#include <cstring>

namespace TextureExport {

bool encodePng(const Picture &picture, Bytes &png, ReasonOut error)
{
    return PictureWriter::encodePng(picture, png, error);
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
