#pragma once
// The window shape cut out of a mask picture.
#include <QImage>
#include <QRegion>

#include <optional>

#include "ui/skin/color_ref.h"

namespace talon {

// Rectangles are merged into the region this many at a time.
inline constexpr int kOutlineBatch = 2000;

// The region of all pixels whose colour is not within [key, key + tolerance] on each of the
// three channels (each upper bound capped at 255); nullopt when every pixel is key-coloured.
// Built row by row, one rectangle per horizontal run of window pixels.
std::optional<QRegion> OutlineRegion(const QImage& picture, ColorRef key, int tolerance);

}  // namespace talon
