#include "ui/editors/dialog_placement.h"

namespace talon {

QPoint PlaceBesideKey(const QRect& key, const QRect& screen, QSize dialog) {
  // Edges as distances from the screen's top-left corner; right and bottom are exclusive.
  const int left = key.left() - screen.left();
  const int top = key.top() - screen.top();
  const int right = left + key.width();
  const int bottom = top + key.height();
  const int w = dialog.width();
  const int h = dialog.height();
  const bool room_right = screen.width() - right >= w;
  const bool room_below = screen.height() - bottom >= h;
  QPoint at(right, bottom);
  if (room_right && room_below) {
    at = QPoint(right, bottom);
  } else if (room_right && top >= h) {
    at = QPoint(right, top - h);
  } else if (left < w) {
    at = QPoint(right, bottom);
  } else if (room_below) {
    at = QPoint(left - w, bottom);
  } else if (top >= h) {
    at = QPoint(left - w, top - h);
  }
  return at + screen.topLeft();
}

QPoint CentreOnScreen(const QRect& screen, QSize dialog) {
  return screen.topLeft() +
         QPoint((screen.width() - dialog.width()) / 2, (screen.height() - dialog.height()) / 2);
}

}  // namespace talon
