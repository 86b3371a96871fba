#include "ui/skin/bitmap_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include <algorithm>

#include "ui/skin/control_binding.h"

namespace talon {

CBitmapSlider::CBitmapSlider(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
}

void CBitmapSlider::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  SetPos(position_);
}

int CBitmapSlider::SetPageSize(int page) {
  const int previous = page_;
  page_ = page;
  return previous;
}

void CBitmapSlider::SetPos(int position) {
  position = std::clamp(position, min_, std::max(min_, max_));
  if (position == position_) return;
  position_ = position;
  update();
}

void CBitmapSlider::SetBitmap(const QImage& bitmap) {
  resize(bitmap.size());
  canvas_ = QImage(bitmap.size(), QImage::Format_RGB32);
  const int grey = (position_ * 50) % 256;
  canvas_.fill(QColor(grey, grey, grey));
  update();
}

void CBitmapSlider::SetPicture(const QImage& picture) {
  canvas_ = picture;
  repaint();
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (active_) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
  if (!canvas_.isNull()) painter.drawImage(QPoint(0, 0), canvas_);
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  active_ = true;
  dragging_ = true;
  MoveToX(event->position().toPoint().x());
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
  // A drag lasts while the button is held: a release sent elsewhere (the slider was disabled or
  // hidden meanwhile) ends it too.
  if (!(event->buttons() & Qt::LeftButton)) dragging_ = false;
  if (dragging_ && isEnabled()) MoveToX(event->position().toPoint().x());
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return QWidget::mouseReleaseEvent(event);
  dragging_ = false;
  Notify();  // also when nothing changed: the owner takes the release as the final value
}

void CBitmapSlider::leaveEvent(QEvent* event) {
  active_ = false;
  update();
  QWidget::leaveEvent(event);
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
  if (!isEnabled()) return QWidget::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_PageUp:
      return Step(position_ - page_);
    case Qt::Key_PageDown:
      return Step(position_ + page_);
    case Qt::Key_End:
      return Step(max_);
    case Qt::Key_Home:
      return Step(min_);
    case Qt::Key_Right:
    case Qt::Key_Down:
      return Step(position_ + 1);
    case Qt::Key_Left:
    case Qt::Key_Up:
      return Step(position_ - 1);
    default:
      return QWidget::keyPressEvent(event);
  }
}

void CBitmapSlider::wheelEvent(QWheelEvent* event) {
  // The wheel belongs to the slider only between a press on it and the mouse leaving it.
  if (!active_) return QWidget::wheelEvent(event);
  const int steps = wheel_.Add(event->angleDelta().y());
  if (steps != 0) SetPos(position_ + steps);
  Notify();
}

void CBitmapSlider::MoveToX(int x) {
  if (SliderPixelOfPosition(position_, width(), min_, max_) == x) return;
  SetPos(SliderPositionFromX(x, width(), min_, max_));
  Notify();
}

void CBitmapSlider::Step(int new_position) {
  SetPos(new_position);
  Notify();
}

void CBitmapSlider::Notify() {
  PostToOwner(*this, kSliderMessage, static_cast<WParam>(ControlIdOf(*this)), position_);
}

}  // namespace talon
