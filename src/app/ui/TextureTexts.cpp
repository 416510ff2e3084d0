#include "TextureTexts.h"

#include "editor/UiText.h"

namespace TextureTexts {

QString format(const DdsLayout &layout)
{
    // The block formats' names are the same in every language.
    if (layout.kind == DdsLayout::Kind::Uncompressed)
        return UiText::text(UiText::Key::UncompressedFormat, {QString::number(layout.bitCount)});
    return QString::fromStdString(layout.formatName());
}

} // namespace TextureTexts
