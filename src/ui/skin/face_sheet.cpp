#include "ui/skin/face_sheet.h"

#include <QPainter>

namespace talon {

namespace {
constexpr int kMargin = 100;
}  // namespace

FaceSheet FaceSheet::Create(const QImage& picture, QSize client_size) {
  QImage sheet(client_size.width() + kMargin, client_size.height() + kMargin, QImage::Format_RGB32);
  sheet.fill(Qt::black);
  QPainter painter(&sheet);
  painter.drawImage(0, 0, picture);
  painter.end();
  return FaceSheet(std::move(sheet));
}

}  // namespace talon
