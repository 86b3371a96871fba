#include "ui/main/lighting_image.h"

#include <QPainter>

namespace talon {

LightingImage::LightingImage(QWidget* parent) : QAbstractButton(parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
}

void LightingImage::SetPicture(const QImage& picture) {
  if (picture.cacheKey() == picture_.cacheKey()) return;
  picture_ = picture;
  update();
}

void LightingImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), picture_);
}

}  // namespace talon
