#include "ui/skin/color_static.h"

namespace talon {

ColorStatic::ColorStatic(QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(false);
  setAttribute(Qt::WA_TranslucentBackground);
  SetTextColor(colour_);
}

void ColorStatic::SetTextColor(ColorRef colour) {
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, ToQColor(colour));
  p.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(colour));
  setPalette(p);
  repaint();
}

void ColorStatic::SetFontHeight(int pixels) {
  QFont f = font();
  f.setPixelSize(std::max(1, pixels));
  setFont(f);
  repaint();
}

}  // namespace talon
