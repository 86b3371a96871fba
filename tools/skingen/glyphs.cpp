// Line-art glyphs, designed on a 24 × 24 grid and scaled to the box they are drawn in.
#include <QPainterPath>
#include <QPolygonF>

#include "theme.h"

namespace talon::skingen {
namespace {

void Arrow(QPainterPath& path, qreal x, qreal from, qreal to) {
  path.moveTo(x, from);
  path.lineTo(x, to);
  const qreal d = to < from ? 4.5 : -4.5;
  path.moveTo(x - 4.5, to + d);
  path.lineTo(x, to);
  path.lineTo(x + 4.5, to + d);
}

QPainterPath Outline(Glyph g) {
  QPainterPath path;
  switch (g) {
    case Glyph::Help:
      path.addEllipse(QPointF(12, 12), 9, 9);
      path.moveTo(9.3, 9.6);
      path.cubicTo(9.3, 7.7, 10.6, 6.8, 12.1, 6.8);
      path.cubicTo(13.7, 6.8, 14.9, 7.8, 14.9, 9.3);
      path.cubicTo(14.9, 11.3, 12.1, 11.5, 12.1, 13.8);
      break;
    case Glyph::Minimize:
      path.moveTo(6.5, 12.5);
      path.lineTo(17.5, 12.5);
      break;
    case Glyph::Close:
    case Glyph::Cross:
      path.moveTo(7, 7);
      path.lineTo(17, 17);
      path.moveTo(17, 7);
      path.lineTo(7, 17);
      break;
    case Glyph::Globe:
      path.addEllipse(QPointF(12, 12), 9, 9);
      path.addEllipse(QPointF(12, 12), 4, 9);
      path.moveTo(3, 12);
      path.lineTo(21, 12);
      path.moveTo(4.6, 7.5);
      path.lineTo(19.4, 7.5);
      path.moveTo(4.6, 16.5);
      path.lineTo(19.4, 16.5);
      break;
    case Glyph::People:
      path.addEllipse(QPointF(9, 8.5), 3.2, 3.2);
      path.moveTo(3, 19);
      path.cubicTo(3, 14.5, 6, 13, 9, 13);
      path.cubicTo(12, 13, 15, 14.5, 15, 19);
      path.addEllipse(QPointF(16.5, 9), 2.6, 2.6);
      path.moveTo(16, 13.2);
      path.cubicTo(19, 13.2, 21, 14.8, 21, 18.5);
      break;
    case Glyph::Chat:
      path.moveTo(5, 5);
      path.lineTo(19, 5);
      path.quadTo(21, 5, 21, 7);
      path.lineTo(21, 14);
      path.quadTo(21, 16, 19, 16);
      path.lineTo(11, 16);
      path.lineTo(7, 20);
      path.lineTo(7, 16);
      path.lineTo(5, 16);
      path.quadTo(3, 16, 3, 14);
      path.lineTo(3, 7);
      path.quadTo(3, 5, 5, 5);
      break;
    case Glyph::Keyboard:
      path.addRoundedRect(QRectF(2.5, 6, 19, 12), 2, 2);
      for (int i = 0; i < 5; ++i) {
        path.moveTo(5.5 + 3.2 * i, 9.5);
        path.lineTo(6.3 + 3.2 * i, 9.5);
        if (i < 4) {
          path.moveTo(7.1 + 3.2 * i, 12);
          path.lineTo(7.9 + 3.2 * i, 12);
        }
      }
      path.moveTo(8, 14.8);
      path.lineTo(16, 14.8);
      break;
    case Glyph::Eraser:
      path.moveTo(13.5, 4.5);
      path.lineTo(20, 11);
      path.lineTo(11.5, 19.5);
      path.lineTo(7, 19.5);
      path.lineTo(3.8, 16.3);
      path.closeSubpath();
      path.moveTo(8.6, 9.4);
      path.lineTo(15.1, 15.9);
      path.moveTo(11.5, 19.5);
      path.lineTo(20.5, 19.5);
      break;
    case Glyph::Plus:
      path.moveTo(12, 5);
      path.lineTo(12, 19);
      path.moveTo(5, 12);
      path.lineTo(19, 12);
      break;
    case Glyph::Trash:
      path.moveTo(4.5, 7);
      path.lineTo(19.5, 7);
      path.moveTo(9.5, 7);
      path.lineTo(10, 4.5);
      path.lineTo(14, 4.5);
      path.lineTo(14.5, 7);
      path.moveTo(6.5, 7);
      path.lineTo(7.5, 19.5);
      path.lineTo(16.5, 19.5);
      path.lineTo(17.5, 7);
      path.moveTo(10.2, 10.5);
      path.lineTo(10.5, 16.5);
      path.moveTo(13.8, 10.5);
      path.lineTo(13.5, 16.5);
      break;
    case Glyph::ArrowLeft:
      path.moveTo(14.5, 6);
      path.lineTo(8.5, 12);
      path.lineTo(14.5, 18);
      break;
    case Glyph::ArrowRight:
      path.moveTo(9.5, 6);
      path.lineTo(15.5, 12);
      path.lineTo(9.5, 18);
      break;
    case Glyph::Top:
      path.moveTo(6, 5);
      path.lineTo(18, 5);
      Arrow(path, 12, 20, 9);
      break;
    case Glyph::Up:
      Arrow(path, 12, 19.5, 5.5);
      break;
    case Glyph::Down:
      Arrow(path, 12, 4.5, 18.5);
      break;
    case Glyph::Bottom:
      path.moveTo(6, 19);
      path.lineTo(18, 19);
      Arrow(path, 12, 4, 15);
      break;
    case Glyph::Profile:
      path.moveTo(12, 4);
      path.lineTo(20.5, 8.5);
      path.lineTo(12, 13);
      path.lineTo(3.5, 8.5);
      path.closeSubpath();
      path.moveTo(3.5, 12.5);
      path.lineTo(12, 17);
      path.lineTo(20.5, 12.5);
      path.moveTo(3.5, 16.5);
      path.lineTo(12, 21);
      path.lineTo(20.5, 16.5);
      break;
    case Glyph::Folder:
      path.moveTo(3, 7);
      path.quadTo(3, 5, 5, 5);
      path.lineTo(9.5, 5);
      path.lineTo(11.5, 7.5);
      path.lineTo(19, 7.5);
      path.quadTo(21, 7.5, 21, 9.5);
      path.lineTo(21, 17);
      path.quadTo(21, 19, 19, 19);
      path.lineTo(5, 19);
      path.quadTo(3, 19, 3, 17);
      path.closeSubpath();
      break;
    case Glyph::Lock:
      path.addRoundedRect(QRectF(5.5, 10.5, 13, 9.5), 2, 2);
      path.moveTo(8.5, 10.5);
      path.lineTo(8.5, 8);
      path.cubicTo(8.5, 3.5, 15.5, 3.5, 15.5, 8);
      path.lineTo(15.5, 10.5);
      break;
    case Glyph::Brush:
      path.moveTo(19.5, 4.5);
      path.lineTo(11, 13);
      path.moveTo(10.5, 12.5);
      path.cubicTo(8, 12.5, 6.5, 14, 6.5, 16.5);
      path.cubicTo(6.5, 18.5, 5.5, 19.5, 4, 19.5);
      path.cubicTo(7.5, 21, 12, 20, 12, 15.5);
      path.closeSubpath();
      break;
    case Glyph::Bucket:
      path.moveTo(10, 4);
      path.lineTo(18.5, 12.5);
      path.lineTo(11.5, 19.5);
      path.lineTo(4, 12);
      path.lineTo(10, 6);
      path.closeSubpath();
      path.moveTo(4, 12);
      path.lineTo(18.5, 12.5);
      path.moveTo(20.5, 15);
      path.cubicTo(22, 17.5, 22, 19.5, 20.5, 19.5);
      path.cubicTo(19, 19.5, 19, 17.5, 20.5, 15);
      break;
    case Glyph::Check:
      path.moveTo(5, 12.5);
      path.lineTo(10, 17.5);
      path.lineTo(19, 7);
      break;
    default:
      break;
  }
  return path;
}

// Glyphs drawn filled rather than stroked, or with a filled part.
void Fill(QPainter& p, Glyph g) {
  switch (g) {
    case Glyph::Help:
      p.drawEllipse(QPointF(12.1, 17), 1.3, 1.3);
      break;
    case Glyph::Menu:
      for (qreal x : {6.0, 12.0, 18.0}) p.drawEllipse(QPointF(x, 12), 1.9, 1.9);
      break;
    case Glyph::Record:
      p.drawEllipse(QPointF(12, 12), 6, 6);
      break;
    case Glyph::Play:
      p.drawPolygon(QPolygonF({QPointF(8, 5), QPointF(19, 12), QPointF(8, 19)}));
      break;
    case Glyph::Lightning:
      p.drawPolygon(
          QPolygonF({QPointF(13.5, 2.5), QPointF(5, 13.5), QPointF(11, 13.5), QPointF(9.5, 21.5),
                     QPointF(19, 10), QPointF(13, 10), QPointF(13.5, 2.5)}));
      break;
    default:
      break;
  }
}

}  // namespace

void DrawGlyph(QPainter& p, Glyph g, const QRectF& box, const QColor& c, qreal stroke) {
  if (g == Glyph::None) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = qMin(box.width(), box.height()) / 24.0;
  p.translate(box.center().x() - 12 * s, box.center().y() - 12 * s);
  p.scale(s, s);
  QPen pen(c, stroke);
  pen.setCosmetic(true);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPath(Outline(g));
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  Fill(p, g);
  p.restore();
}

}  // namespace talon::skingen
