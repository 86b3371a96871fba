// What every window shares: its canvas, its rounded frame and its outline mask.
#include <QPainterPath>

#include "pictures.h"

namespace talon::skingen {

QImage NewCanvas(int width, int height, const QColor& fill) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

void DrawWindowFrame(QPainter& p, int width, int height) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(colours::kWindowEdge, 1));
  p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), kCornerRadius - 0.5,
                    kCornerRadius - 0.5);
  p.restore();
}

QImage RenderMask(int width, int height) {
  // No antialiasing: every pixel is either exactly white (outside) or black (inside).
  QImage img = NewCanvas(width, height, Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  QPainterPath path;
  path.addRoundedRect(QRectF(0, 0, width, height), kCornerRadius, kCornerRadius);
  p.drawPath(path);
  return img;
}

}  // namespace talon::skingen
