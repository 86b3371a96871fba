#pragma once
// Where an image button puts its caption: the text format flags it was designed with, and the
// re-centring of rotated text.
#include <QRect>

#include <cstdint>

namespace talon {

// Text format flags (the platform's DT_ values).
namespace text_format {
inline constexpr std::uint32_t kLeft = 0x00;
inline constexpr std::uint32_t kCenter = 0x01;
inline constexpr std::uint32_t kRight = 0x02;
inline constexpr std::uint32_t kVCenter = 0x04;
inline constexpr std::uint32_t kBottom = 0x08;
inline constexpr std::uint32_t kWordBreak = 0x10;
inline constexpr std::uint32_t kSingleLine = 0x20;
// Centred both ways on a single line: 37.
inline constexpr std::uint32_t kCentredLine = kCenter | kVCenter | kSingleLine;
}  // namespace text_format

// Qt alignment and text flags for a format.
int QtTextFlags(std::uint32_t format);

// Edges of a rectangle with exclusive right and bottom, as the arithmetic below uses them.
struct EdgeRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const EdgeRect&) const = default;
};

// Moves the rectangle of a text of extent w x h drawn at `angle_tenths` (tenths of a degree,
// counter-clockwise) so that the text comes out centred: with t the angle, if w*cos t is less
// than the width, left grows by (width - w*cos t)/2 - h*sin t/2; if w*sin t is less than the
// height, bottom grows by -(height - w*sin t)/2 + h*cos t/2. Products are truncated to integers
// and halves of integers truncated toward zero.
EdgeRect RotatedTextRect(EdgeRect r, int w, int h, int angle_tenths);

// The point where the top-left corner of the unrotated text goes after RotatedTextRect: the
// rectangle's left edge, and its bottom edge raised by h*cos t, which puts the rotated text's
// centre on the unmoved rectangle's centre.
QPoint RotatedTextOrigin(const EdgeRect& moved, int h, int angle_tenths);

}  // namespace talon
