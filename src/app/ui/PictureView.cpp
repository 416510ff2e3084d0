#include "PictureView.h"

#include <QPainter>

namespace PictureView {

QImage image(const Picture &picture, bool showAlpha)
{
    const auto rowBytes = static_cast<qsizetype>(picture.width) * Picture::kChannels;
    const auto size = static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(picture.height);
    if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() < size)
        return QImage();
    if (!showAlpha) {
        const Picture opaque = picture.withoutAlpha();
        // The pixels are blue, green, red, alpha in memory: QImage's ARGB32 on this byte order.
        return QImage(opaque.pixels.data(), opaque.width, opaque.height, rowBytes,
                      QImage::Format_ARGB32)
            .convertToFormat(QImage::Format_RGB32);
    }
    const QImage source(picture.pixels.data(), picture.width, picture.height, rowBytes,
                        QImage::Format_ARGB32);
    QImage board(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(board.scanLine(y));
        for (int x = 0; x < board.width(); ++x)
            line[x] = ((x / kSquare + y / kSquare) % 2 == 0) ? kLightSquare : kDarkSquare;
    }
    QPainter painter(&board);
    painter.drawImage(0, 0, source);
    return board;
}

QImage alpha(const Picture &picture)
{
    const auto size = static_cast<std::size_t>(picture.width) *
                      static_cast<std::size_t>(picture.height) * Picture::kChannels;
    if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() < size)
        return QImage();
    QImage grey(picture.width, picture.height, QImage::Format_Grayscale8);
    const std::uint8_t *source = picture.pixels.data() + 3;
    for (int y = 0; y < grey.height(); ++y) {
        uchar *line = grey.scanLine(y);
        for (int x = 0; x < grey.width(); ++x, source += Picture::kChannels)
            line[x] = *source;
    }
    return grey;
}

} // namespace PictureView
