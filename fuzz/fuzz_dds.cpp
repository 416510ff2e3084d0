// The DDS check and layout in front of the decoder and the encoder: every level of whatever
// layout is read must decode to a picture of exactly the level's size, and take an encoded
// picture inside the texture's own bytes.
#include "imaging/dds/DdsCheck.h"
#include "imaging/dds/DdsDecoder.h"
#include "imaging/dds/DdsEncoder.h"
#include "imaging/dds/DdsLayout.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string error;
    if (!DdsCheck::check(data, size, &error))
        return 0;
    DdsLayout layout;
    if (!DdsLayout::read(data, size, layout, nullptr))
        return 0;
    for (std::size_t level = 0; level < layout.levels.size(); ++level) {
        Picture picture;
        const DdsLayout::Level &at = layout.levels[level];
        if (!DdsDecoder::decodeLevel(data, size, layout, static_cast<int>(level), picture,
                                     nullptr) ||
            picture.width != at.width || picture.height != at.height ||
            picture.pixels.size() != static_cast<std::size_t>(at.width) *
                                         static_cast<std::size_t>(at.height) * Picture::kChannels)
            std::abort();
    }
    // Small pictures only: the best-quality DXT encoder takes its time over a large one.
    if (layout.width * layout.height <= 64 * 64) {
        if (layout.pixelsEnd() > size)
            std::abort();
        std::vector<std::uint8_t> texture(data, data + size);
        const Picture picture{
            layout.width, layout.height,
            std::vector<std::uint8_t>(
                static_cast<std::size_t>(layout.width * layout.height * Picture::kChannels), 128)};
        if (!DdsEncoder::encode(layout, picture, texture.data(), nullptr))
            std::abort();
    }
    return 0;
}
