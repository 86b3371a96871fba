#include "ui/skin/face_sheet.h"

#include <QPainter>

#include "ui/skin/skin_picture.h"

namespace talon {

namespace {

constexpr int kMargin = 100;

// The part of the picture the sheet covers, as a 32-bit picture.
QImage Covered(const QImage& picture, QSize sheet_size) {
  const QRect sheet(QPoint(0, 0), sheet_size);
  QImage shown = sheet.contains(picture.rect()) ? picture : picture.copy(picture.rect() & sheet);
  if (shown.format() != QImage::Format_RGB32) shown = shown.convertToFormat(QImage::Format_RGB32);
  return shown;
}

}  // namespace

FaceSheet FaceSheet::Create(const QImage& picture, QSize client_size) {
  if (picture.isNull()) return {};
  const QSize size = client_size + QSize(kMargin, kMargin);
  auto shared = std::make_shared<Picture>();
  shared->image = Covered(picture, size);
  shared->decoded = true;
  return FaceSheet(std::move(shared), size);
}

FaceSheet FaceSheet::Load(const std::filesystem::path& file, QSize client_size) {
  const std::unique_ptr<QImageReader> reader = OpenSkinPicture(file);
  if (reader == nullptr || !reader->size().isValid()) return {};
  auto shared = std::make_shared<Picture>();
  shared->file = file;
  return FaceSheet(std::move(shared), client_size + QSize(kMargin, kMargin));
}

const QImage& FaceSheet::Image() const {
  static const QImage none;
  if (picture_ == nullptr) return none;
  if (!picture_->decoded) {
    QImage decoded;
    // A file spoilt after the check leaves the sheet without a picture: its buttons show
    // nothing, as buttons without a face do.
    if (LoadSkinPicture(picture_->file, decoded)) picture_->image = Covered(decoded, size_);
    picture_->decoded = true;
    picture_->file.clear();
  }
  return picture_->image;
}

void FaceSheet::Draw(QPainter& painter, QPoint target, QRect source) const {
  const QImage& image = Image();
  if (image.isNull()) return;
  const QRect part = source & QRect(QPoint(0, 0), size_);
  if (part.isEmpty()) return;
  const QPoint at = target + (part.topLeft() - source.topLeft());
  const QRect pictured = part & image.rect();
  if (pictured != part) painter.fillRect(QRect(at, part.size()), Qt::black);
  if (!pictured.isEmpty()) {
    painter.drawImage(at + (pictured.topLeft() - part.topLeft()), image, pictured);
  }
}

}  // namespace talon
