#include "PictureResize.h"

#include "PictureReader.h"
#include "common/Reason.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb_image_resize.h>

namespace PictureResize {

bool resize(const Picture &picture, int width, int height, Picture &resized, ReasonOut error)
{
    const auto pixels = [](int w, int h) { return static_cast<std::int64_t>(w) * h; };
    if (width < 1 || height < 1 || picture.width < 1 || picture.height < 1 ||
        pixels(width, height) > PictureReader::kMaxPixels ||
        picture.pixels.size() !=
            static_cast<std::size_t>(pixels(picture.width, picture.height)) * Picture::kChannels)
        return error.fail(Reason(Reasons::Id::PictureTooLarge));
    if (width == picture.width && height == picture.height) {
        resized = picture;
        return true;
    }
    Picture out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(pixels(width, height)) * Picture::kChannels);
    // Alpha is channel 3 in blue, green, red, alpha; without STBIR_FLAG_ALPHA_PREMULTIPLIED the
    // library weights each colour by its alpha while it filters. Edges repeat the border pixel,
    // as a texture that does not wrap would.
    if (!stbir_resize_uint8_srgb_edgemode(picture.pixels.data(), picture.width, picture.height, 0,
                                          out.pixels.data(), width, height, 0, Picture::kChannels,
                                          3, 0, STBIR_EDGE_CLAMP))
        return error.fail(Reason(Reasons::Id::PictureNoMemory));
    resized = std::move(out);
    return true;
}

} // namespace PictureResize
