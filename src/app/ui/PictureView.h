#pragma once
// How the preview draws a texture's picture: transparent parts over a checkerboard, as image
// editors show them, or the stored colours alone with alpha ignored.
#include "imaging/pictures/Picture.h"

#include <QImage>

namespace PictureView {

/// The side of one checkerboard square, in picture pixels.
constexpr int kSquare = 8;
/// The checkerboard's two greys.
constexpr QRgb kLightSquare = 0xffffffff;
constexpr QRgb kDarkSquare = 0xffcccccc;

/// An opaque image of `picture`: blended over the checkerboard with `showAlpha`, otherwise its
/// colours as stored. Null for an empty picture.
QImage image(const Picture &picture, bool showAlpha);

/// The picture's alpha channel alone as an opaque grey image: white where the picture is
/// opaque, black where it is transparent. Null for an empty picture.
QImage alpha(const Picture &picture);

} // namespace PictureView
