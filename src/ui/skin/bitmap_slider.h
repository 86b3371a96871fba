#pragma once
// CBitmapSlider: a picture that acts as a slider. The owner shows one picture per position;
// the slider turns presses, drags, keys and the wheel into positions and tells its dialog with
// the message kSliderMessage (wParam = the control's id, lParam = the position), posted on every
// change, on every wheel turn and on every release of the mouse button.
#include <QImage>
#include <QWidget>

#include "ui/skin/slider_arithmetic.h"
#include "ui/skin/window_message.h"

namespace talon {

inline constexpr MessageId kSliderMessage = 0x28D1;

class CBitmapSlider : public QWidget {
 public:
  explicit CBitmapSlider(QWidget* parent = nullptr);

  void SetRange(int min, int max);
  int SetPageSize(int page);  // returns the previous page
  // Kept within the range; redraws.
  void SetPos(int position);
  int GetPos() const { return position_; }
  int GetRangeMin() const { return min_; }
  int GetRangeMax() const { return max_; }
  bool IsActive() const { return active_; }

  // Sizes the control to the bitmap (position unchanged) and clears the shown picture to the
  // grey of the current position; done once at set-up.
  void SetBitmap(const QImage& bitmap);
  // Shows the picture at once.
  virtual void SetPicture(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void MoveToX(int x);
  void Step(int new_position);
  void Notify();

  int max_ = 0;
  int min_ = 0;
  int position_ = 0;
  int page_ = 0;
  QImage canvas_;  // the picture shown, at the size SetBitmap gave the control
  bool dragging_ = false;
  bool active_ = false;
  WheelSteps wheel_;
};

}  // namespace talon
