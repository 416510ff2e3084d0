#include "TextureFormatNames.h"

#include "editor/Translation.h"

namespace TextureFormatNames {

QString format(const DdsLayout &layout)
{
    // The block formats' names are the same in every language.
    if (layout.kind == DdsLayout::Kind::Uncompressed)
        return Translation::text(Translation::Key::UncompressedFormat,
                                 {QString::number(layout.bitCount)});
    return QString::fromStdString(layout.formatName());
}

} // namespace TextureFormatNames
