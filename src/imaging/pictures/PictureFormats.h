#pragma once
// The format readers behind PictureReader. Each checks its header, then calls checkSize before
// it takes pixel memory, and fills `picture` only when the whole image was read.
#include "Picture.h"
#include "common/Reason.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace PictureFormats {

/// What a reader must deliver: the size the caller expects.
struct Wanted
{
    int width;
    int height;
};

/// False (with the reason) when the header's size is not the wanted one or too large.
bool checkSize(std::int64_t width, std::int64_t height, Wanted wanted, ReasonOut error);

bool fail(ReasonOut error, Reasons::Id reason);

/// The reasons the readers share.
constexpr Reasons::Id kCutShort = Reasons::Id::PictureCutShort;
constexpr Reasons::Id kDamaged = Reasons::Id::PictureDamaged;
constexpr Reasons::Id kNoMemory = Reasons::Id::PictureNoMemory;

bool readPng(const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
             ReasonOut error);
bool readJpeg(const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
              ReasonOut error);
bool readBmp(const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
             ReasonOut error);
bool readTga(const std::uint8_t *data, std::size_t size, Wanted wanted, Picture &picture,
             ReasonOut error);

} // namespace PictureFormats
