#pragma once
// Colours as the program keeps them: 0x00BBGGRR. Converted to QColor only when painting.
#include <QColor>

#include <cstdint>

#include "platform/colour_channels.h"

namespace talon {

using ColorRef = std::uint32_t;

// "No colour" / "the system's default colour", the platform's -1.
inline constexpr ColorRef kNoColor = 0xFFFFFFFF;

constexpr ColorRef Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
         (static_cast<ColorRef>(b) << 16);
}

inline QColor ToQColor(ColorRef c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
inline ColorRef ToColorRef(const QColor& c) {
  return Rgb(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
             static_cast<std::uint8_t>(c.blue()));
}

}  // namespace talon
