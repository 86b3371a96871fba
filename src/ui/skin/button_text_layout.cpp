#include "ui/skin/button_text_layout.h"

#include <Qt>

#include <cmath>

namespace talon {

namespace {

double Radians(int angle_tenths) {
  return angle_tenths / 10.0 * 3.1415927 / 180.0;
}

}  // namespace

int QtTextFlags(std::uint32_t format) {
  using namespace text_format;
  int flags = 0;
  if (format & kCenter) {
    flags |= Qt::AlignHCenter;
  } else if (format & kRight) {
    flags |= Qt::AlignRight;
  } else {
    flags |= Qt::AlignLeft;
  }
  if (format & kSingleLine) {
    if (format & kVCenter) {
      flags |= Qt::AlignVCenter;
    } else if (format & kBottom) {
      flags |= Qt::AlignBottom;
    } else {
      flags |= Qt::AlignTop;
    }
    flags |= Qt::TextSingleLine;
  } else {
    flags |= Qt::AlignTop;
    if (format & kWordBreak) flags |= Qt::TextWordWrap;
  }
  return flags;
}

EdgeRect RotatedTextRect(EdgeRect r, int w, int h, int angle_tenths) {
  const double t = Radians(angle_tenths);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const int w_cos = static_cast<int>(w * std::cos(t));
  const int w_sin = static_cast<int>(w * std::sin(t));
  const int h_sin = static_cast<int>(h * std::sin(t));
  const int h_cos = static_cast<int>(h * std::cos(t));
  if (w_cos < width) r.left += (width - w_cos) / 2 - h_sin / 2;
  if (w_sin < height) r.bottom += -(height - w_sin) / 2 + h_cos / 2;
  return r;
}

QPoint RotatedTextOrigin(const EdgeRect& moved, int h, int angle_tenths) {
  const int h_cos = static_cast<int>(h * std::cos(Radians(angle_tenths)));
  return QPoint(moved.left, moved.bottom - h_cos);
}

}  // namespace talon
