#pragma once
// A clickable picture of the lighting panel (the lighting switch, the direction and colour
// choices, the tools): it shows one bitmap at its top-left corner and reports a click to its
// dialog as its kClicked command.
#include <QAbstractButton>
#include <QImage>

namespace talon {

class LightingImage : public QAbstractButton {
 public:
  explicit LightingImage(QWidget* parent = nullptr);

  // Repaints only for another picture.
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace talon
