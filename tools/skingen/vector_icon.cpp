#include "vector_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace talon::skingen {
namespace {

QPainterPath ParsePath(const QString& svg) {
  static const QRegularExpression token(QStringLiteral("[MLCQZ]|-?[0-9]*\\.?[0-9]+"));
  QPainterPath path;
  QChar command;
  std::vector<qreal> args;
  auto flush = [&] {
    const auto at = [&](std::size_t i) { return QPointF(args[i], args[i + 1]); };
    if (command == QLatin1Char('M') && args.size() >= 2) path.moveTo(at(0));
    if (command == QLatin1Char('L') && args.size() >= 2) path.lineTo(at(0));
    if (command == QLatin1Char('Q') && args.size() >= 4) path.quadTo(at(0), at(2));
    if (command == QLatin1Char('C') && args.size() >= 6) path.cubicTo(at(0), at(2), at(4));
    if (command == QLatin1Char('Z')) path.closeSubpath();
    args.clear();
  };
  for (auto it = token.globalMatch(svg); it.hasNext();) {
    const QString t = it.next().captured();
    if (t.at(0).isLetter()) {
      flush();
      command = t.at(0);
    } else {
      args.push_back(t.toDouble());
    }
  }
  flush();
  return path;
}

QString Colour(const QColor& c) {
  return c.name(QColor::HexRgb);
}

QString Num(qreal v) {
  return QString::number(v, 'g', 6);
}

}  // namespace

QImage RenderIcon(const VectorIcon& icon, int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  for (const Shape& s : icon) {
    QPainterPath path;
    switch (s.kind) {
      case Shape::Kind::RoundRect:
        path.addRoundedRect(s.rect, s.radius, s.radius);
        break;
      case Shape::Kind::Circle:
        path.addEllipse(s.rect);
        break;
      case Shape::Kind::Path:
        path = ParsePath(s.path);
        break;
    }
    if (s.fillEnd.alpha() > 0) {
      QLinearGradient g(path.boundingRect().topLeft(), path.boundingRect().bottomRight());
      g.setColorAt(0, s.fill);
      g.setColorAt(1, s.fillEnd);
      p.setBrush(g);
    } else {
      p.setBrush(s.fill.alpha() > 0 ? QBrush(s.fill) : QBrush(Qt::NoBrush));
    }
    if (s.strokeWidth > 0) {
      p.setPen(QPen(s.stroke, s.strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
      p.setPen(Qt::NoPen);
    }
    p.drawPath(path);
  }
  return img;
}

QString IconToSvg(const VectorIcon& icon) {
  QString defs, body;
  int gradients = 0;
  for (const Shape& s : icon) {
    QString fill = QStringLiteral("none");
    if (s.fillEnd.alpha() > 0) {
      const QString id = QStringLiteral("g%1").arg(gradients++);
      defs += QStringLiteral(
                  "<linearGradient id=\"%1\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">"
                  "<stop offset=\"0\" stop-color=\"%2\"/><stop offset=\"1\" stop-color=\"%3\"/>"
                  "</linearGradient>")
                  .arg(id, Colour(s.fill), Colour(s.fillEnd));
      fill = QStringLiteral("url(#%1)").arg(id);
    } else if (s.fill.alpha() > 0) {
      fill = Colour(s.fill);
    }
    QString paint = QStringLiteral(" fill=\"%1\"").arg(fill);
    if (s.strokeWidth > 0) {
      paint += QStringLiteral(
                   " stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"round\" "
                   "stroke-linejoin=\"round\"")
                   .arg(Colour(s.stroke), Num(s.strokeWidth));
    }
    switch (s.kind) {
      case Shape::Kind::RoundRect:
        body += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"%6/>")
                    .arg(Num(s.rect.x()), Num(s.rect.y()), Num(s.rect.width()),
                         Num(s.rect.height()), Num(s.radius), paint);
        break;
      case Shape::Kind::Circle:
        body += QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"%5/>")
                    .arg(Num(s.rect.center().x()), Num(s.rect.center().y()),
                         Num(s.rect.width() / 2), Num(s.rect.height() / 2), paint);
        break;
      case Shape::Kind::Path:
        body += QStringLiteral("<path d=\"%1\"%2/>").arg(s.path, paint);
        break;
    }
    body += QLatin1Char('\n');
  }
  return QStringLiteral(
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
             "viewBox=\"0 0 64 64\">\n<defs>%1</defs>\n%2</svg>\n")
      .arg(defs, body);
}

VectorIcon AppIcon() {
  const QColor ink(0x04, 0x16, 0x1e);
  VectorIcon icon;
  icon.push_back({Shape::Kind::RoundRect,
                  QRectF(4, 4, 56, 56),
                  14,
                  {},
                  QColor(0x2d, 0xd4, 0xff),
                  QColor(0x5b, 0x4b, 0xff)});
  // three claw strokes raked across the face
  const char* const claws[] = {"M31.5 14.5 C28.5 26.5 25.5 36 18.5 49.5",
                               "M40.5 14.5 C37.5 26.5 34.5 36 27.5 49.5",
                               "M49.5 14.5 C46.5 26.5 43.5 36 36.5 49.5"};
  for (const char* claw : claws) {
    icon.push_back({Shape::Kind::Path,
                    {},
                    0,
                    QString::fromLatin1(claw),
                    Qt::transparent,
                    Qt::transparent,
                    ink,
                    5.6});
  }
  return icon;
}

VectorIcon TrayIcon(int id) {
  const QColor body = id == 128 ? QColor(0x9a, 0xa1, 0xad) : QColor(0x2d, 0xd4, 0xff);
  const QColor hole(0x11, 0x14, 0x1a);
  VectorIcon icon;
  icon.push_back({Shape::Kind::RoundRect, QRectF(2, 11, 60, 42), 8, {}, body});
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 4; ++col) {
      icon.push_back(
          {Shape::Kind::RoundRect, QRectF(8 + 13 * col, 18 + 10.5 * row, 9.5, 7.5), 2, {}, hole});
    }
  }
  icon.push_back({Shape::Kind::RoundRect, QRectF(16, 39.5, 32, 7.5), 2, {}, hole});
  // status badge in the lower right corner, ringed so it reads on any panel colour
  auto badge = [&](const QColor& colour) {
    Shape ring{Shape::Kind::Circle, QRectF(37, 37, 27, 27), 0, {}, colour};
    ring.stroke = hole;
    ring.strokeWidth = 2.5;
    icon.push_back(ring);
  };
  if (id == 128) {
    badge(QColor(0xff, 0x55, 0x66));
    Shape cross{
        Shape::Kind::Path, {}, 0, QStringLiteral("M45.5 45.5 L55.5 55.5 M55.5 45.5 L45.5 55.5")};
    cross.stroke = Qt::white;
    cross.strokeWidth = 3.4;
    icon.push_back(cross);
  } else if (id == 142) {
    badge(QColor(0x3b, 0xe0, 0x6e));
    icon.push_back(
        {Shape::Kind::Path, {}, 0, QStringLiteral("M46.5 44 L57 50.5 L46.5 57 Z"), Qt::white});
  }
  return icon;
}

}  // namespace talon::skingen
