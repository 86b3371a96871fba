// Small vector drawings rendered both to PNG and to SVG from the same shape list, so the window,
// tray and application icons have one definition each.
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

namespace talon::skingen {

// One shape on a 64 × 64 canvas. A path is given in SVG path syntax (absolute M, L, C, Q, Z).
struct Shape {
  enum class Kind { RoundRect, Circle, Path } kind = Kind::Path;
  QRectF rect;  // RoundRect and Circle (its bounding box)
  qreal radius = 0;
  QString path;
  QColor fill = Qt::transparent;
  QColor fillEnd = Qt::transparent;  // when set, the fill is a diagonal gradient
  QColor stroke = Qt::transparent;
  qreal strokeWidth = 0;
};

using VectorIcon = std::vector<Shape>;

QImage RenderIcon(const VectorIcon& icon, int size);
QString IconToSvg(const VectorIcon& icon);

// The drawings themselves.
VectorIcon AppIcon();
VectorIcon TrayIcon(int id);  // 128 no keyboard, 141 keyboard present, 142 playing

}  // namespace talon::skingen
