#include "ui/skin/face_sheet.h"

#include <QPainter>

namespace talon {

namespace {
constexpr int kMargin = 100;
}  // namespace

FaceSheet FaceSheet::Create(const QImage& picture, QSize client_size) {
  if (picture.isNull()) return {};
  const QSize size = client_size + QSize(kMargin, kMargin);
  const QRect sheet(QPoint(0, 0), size);
  // A picture larger than the sheet keeps only what the sheet covers.
  QImage shown = sheet.contains(picture.rect()) ? picture : picture.copy(picture.rect() & sheet);
  if (shown.format() != QImage::Format_RGB32) shown = shown.convertToFormat(QImage::Format_RGB32);
  return FaceSheet(std::move(shown), size);
}

void FaceSheet::Draw(QPainter& painter, QPoint target, QRect source) const {
  if (IsNull()) return;
  const QRect part = source & QRect(QPoint(0, 0), size_);
  if (part.isEmpty()) return;
  const QPoint at = target + (part.topLeft() - source.topLeft());
  const QRect pictured = part & image_.rect();
  if (pictured != part) painter.fillRect(QRect(at, part.size()), Qt::black);
  if (!pictured.isEmpty()) {
    painter.drawImage(at + (pictured.topLeft() - part.topLeft()), image_, pictured);
  }
}

}  // namespace talon
