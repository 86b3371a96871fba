#pragma once
// ColorStatic: a transparent text in a chosen colour (white until the owner sets one); the
// dialog's background shows through around the letters.
#include <QLabel>

#include "ui/skin/color_ref.h"

namespace talon {

class ColorStatic : public QLabel {
 public:
  explicit ColorStatic(QWidget* parent = nullptr);

  // Stores the colour and redraws at once.
  void SetTextColor(ColorRef colour);
  ColorRef TextColor() const { return colour_; }
  // Re-creates the font with that height in pixels and redraws.
  void SetFontHeight(int pixels);

 private:
  ColorRef colour_ = Rgb(255, 255, 255);
};

}  // namespace talon
