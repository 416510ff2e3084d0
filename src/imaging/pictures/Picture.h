#pragma once
// A decoded picture as the texture code hands it around: rows top to bottom, 4 bytes a pixel
// in the order blue, green, red, alpha (the image library's and the window's own order).
#include <cstdint>
#include <vector>

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    static constexpr int kChannels = 4;

    /// The same picture with every pixel opaque: the colours as they are stored, alpha ignored.
    Picture withoutAlpha() const
    {
        Picture opaque = *this;
        for (std::size_t i = 3; i < opaque.pixels.size(); i += kChannels)
            opaque.pixels[i] = 255;
        return opaque;
    }
};
