#pragma once
// A FaceSheet: one full-window picture of all buttons of a dialog in one state. A button shows
// the part of it that lies under it, so sheets are drawn in the dialog's coordinates.
//
// The sheet is the reference window's client size plus 100 pixels each way, with the picture
// unscaled at (0, 0) and black wherever the picture does not reach. The picture is shared with
// the image it was made from and between copies of the sheet, never copied: full-window sheets
// are the largest memory the program holds, and the black rest is drawn when asked for instead
// of stored.
//
// A sheet loaded from a file is checked at once (the file must be a picture whose header can be
// read) but decoded when it is first drawn: the hover and pressed states of a window, or the
// pages of a dialog that is never turned to, then cost neither time nor memory.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <filesystem>
#include <memory>

class QPainter;

namespace talon {

class FaceSheet {
 public:
  FaceSheet() = default;

  static FaceSheet Create(const QImage& picture, QSize client_size);
  // A null sheet when the file is missing or is no picture that can be read.
  static FaceSheet Load(const std::filesystem::path& file, QSize client_size);

  bool IsNull() const { return picture_ == nullptr; }
  // The sheet's size.
  QSize Size() const { return size_; }
  // The picture, the sheet's top-left part (no larger than the sheet), decoded now if it was
  // not yet; a null image when its file could not be decoded after all.
  const QImage& Image() const;
  bool IsDecoded() const { return picture_ != nullptr && picture_->decoded; }
  // Draws the part `source` of the sheet at `target`: the picture where it reaches, black over
  // the rest of the sheet, nothing outside the sheet.
  void Draw(QPainter& painter, QPoint target, QRect source) const;

 private:
  struct Picture {
    std::filesystem::path file;  // empty once decoded
    QImage image;
    bool decoded = false;
  };
  FaceSheet(std::shared_ptr<Picture> picture, QSize size)
      : picture_(std::move(picture)), size_(size) {}

  std::shared_ptr<Picture> picture_;
  QSize size_;
};

}  // namespace talon
