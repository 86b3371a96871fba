#pragma once
// A FaceSheet: one full-window picture of all buttons of a dialog in one state. A button shows
// the part of it that lies under it, so sheets are drawn in the dialog's coordinates.
//
// The sheet is the reference window's client size plus 100 pixels each way, with the picture
// unscaled at (0, 0) and black wherever the picture does not reach. The picture is shared with
// the image it was made from, never copied: a full-window sheet per state is the largest memory
// the program holds, and the black rest is drawn when asked for instead of stored.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

namespace talon {

class FaceSheet {
 public:
  FaceSheet() = default;

  static FaceSheet Create(const QImage& picture, QSize client_size);

  bool IsNull() const { return image_.isNull(); }
  // The sheet's size.
  QSize Size() const { return size_; }
  // The picture, the sheet's top-left part (no larger than the sheet).
  const QImage& Image() const { return image_; }
  // Draws the part `source` of the sheet at `target`: the picture where it reaches, black over
  // the rest of the sheet, nothing outside the sheet.
  void Draw(QPainter& painter, QPoint target, QRect source) const;

 private:
  FaceSheet(QImage image, QSize size) : image_(std::move(image)), size_(size) {}
  QImage image_;
  QSize size_;
};

}  // namespace talon
