#pragma once
// A FaceSheet: one full-window picture of all buttons of a dialog in one state. A button shows
// the part of it that lies under the button, so sheets are drawn in the dialog's coordinates.
#include <QImage>
#include <QSize>

namespace talon {

class FaceSheet {
 public:
  FaceSheet() = default;

  // The picture drawn unscaled at (0, 0) onto a surface of the reference window's client size
  // plus 100 pixels each way (the rest is black).
  static FaceSheet Create(const QImage& picture, QSize client_size);

  bool IsNull() const { return image_.isNull(); }
  const QImage& Image() const { return image_; }

 private:
  explicit FaceSheet(QImage image) : image_(std::move(image)) {}
  QImage image_;
};

}  // namespace talon
