#include "TextureImage.h"

#include "imaging/dds/DdsDecoder.h"
#include "imaging/pictures/PictureReader.h"

namespace TextureImage {

bool decodeDds(const std::uint8_t *dds, std::size_t size, Picture &picture, ReasonOut error)
{
    return DdsDecoder::decode(dds, size, 0, picture, error);
}

bool decodeEntry(const Bytes &archive, const ArchiveEntry &entry, Picture &picture, ReasonOut error)
{
    if (!entry.liesWithin(archive.size(), error))
        return false;
    return decodeDds(archive.data() + entry.textureOffset(),
                     static_cast<std::size_t>(entry.textureLength()), picture, error);
}

bool readImage(const Bytes &file, const std::string &fileName, int width, int height,
               Picture &picture, ReasonOut error)
{
    return PictureReader::read(file.data(), file.size(), fileName, width, height, picture, error);
}

} // namespace TextureImage
