// The lighting panel's bitmaps. They sit on the flat panel colour (the busy frames on the
// window colour), so their backgrounds are those colours exactly.
#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>
#include <cmath>

#include "pictures.h"

namespace talon::skingen {
namespace {

using namespace colours;

constexpr int kSliderW = 148;
constexpr int kSliderH = 22;

QImage Canvas(int w, int h, const QColor& bg = kPanel) {
  return NewCanvas(w, h, bg);
}

QImage Switch(bool on, bool rainbow) {
  QImage img = Canvas(52, 28);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF track(2, 4, 48, 20);
  if (on) {
    QLinearGradient g(track.topLeft(), track.topRight());
    if (rainbow) {
      const QColor stops[] = {QColor(0xff, 0x4d, 0x6d), QColor(0xff, 0xb3, 0x3b),
                              QColor(0x6e, 0xe7, 0x8c), QColor(0x2d, 0xd4, 0xff),
                              QColor(0xa9, 0x6b, 0xff)};
      for (int i = 0; i < 5; ++i) g.setColorAt(i / 4.0, stops[i]);
    } else {
      g.setColorAt(0, kAccentDeep);
      g.setColorAt(1, kAccent);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(track, 10, 10);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(track.right() - 10, track.center().y()), 7.5, 7.5);
  } else {
    p.setPen(QPen(QColor(0x3a, 0x40, 0x4b), 1));
    p.setBrush(QColor(0x24, 0x28, 0x31));
    p.drawRoundedRect(track.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    if (rainbow) {
      const QColor dots[] = {QColor(0xff, 0x4d, 0x6d), QColor(0xff, 0xb3, 0x3b),
                             QColor(0x6e, 0xe7, 0x8c), QColor(0x2d, 0xd4, 0xff)};
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 4; ++i) {
        QColor c = dots[i];
        c.setAlphaF(0.45);
        p.setBrush(c);
        p.drawEllipse(QPointF(track.left() + 25 + 5.5 * i, track.center().y()), 1.8, 1.8);
      }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8a, 0x91, 0x9e));
    p.drawEllipse(QPointF(track.left() + 10, track.center().y()), 7.5, 7.5);
  }
  return img;
}

// A two-state choice button with a glyph (direction and tool images).
QImage Choice(Glyph glyph, bool selected, int w = 44, int h = 30) {
  QImage img = Canvas(w, h);
  QPainter p(&img);
  const QRectF r(0, 0, w, h);
  QColor ink = kTextSoft;
  if (selected) {
    FillRound(p, r.adjusted(1, 1, -1, -1), 7, kAccent, kAccentDeep, kAccent.lighter(120));
    ink = kAccentInk;
  } else {
    FillRound(p, r.adjusted(1, 1, -1, -1), 7, kButtonHi, kButton, kButtonEdge);
  }
  DrawGlyph(p, glyph, QRectF(w / 2.0 - 10, h / 2.0 - 10, 20, 20), ink, 2.0);
  return img;
}

// Spread and gather: two arrows pointing away from, or towards, a centre dot.
QImage SpreadGather(bool spread, bool selected) {
  QImage img = Choice(Glyph::None, selected);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink = selected ? kAccentInk : kTextSoft;
  p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const qreal cy = 15, cx = 22;
  for (int side : {-1, 1}) {
    const qreal inner = cx + side * 5.5, outer = cx + side * 15;
    p.drawLine(QPointF(inner, cy), QPointF(outer, cy));
    const qreal tip = spread ? outer : inner;
    const qreal back = spread ? -side * 4 : side * 4;
    p.drawLine(QPointF(tip, cy), QPointF(tip + back, cy - 4));
    p.drawLine(QPointF(tip, cy), QPointF(tip + back, cy + 4));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawEllipse(QPointF(cx, cy), 2.2, 2.2);
  return img;
}

QImage Chip(const QColor& colour, bool selected) {
  QImage img = Canvas(56, 30);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(1, 1, 54, 28);
  if (selected) {
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0, 0, 0, 0), 8, 8);
    FillRound(p, r.adjusted(3, 3, -3, -3), 5, colour.lighter(115), colour);
    DrawGlyph(p, Glyph::Check, QRectF(r.center().x() - 9, r.center().y() - 9, 18, 18),
              QColor(0x10, 0x12, 0x16), 2.4);
  } else {
    const QColor dim = Mix(colour, kPanel, 0.45);
    FillRound(p, r.adjusted(3, 3, -3, -3), 5, dim, Mix(colour, kPanel, 0.55),
              Mix(colour, kPanel, 0.3));
  }
  return img;
}

// The busy spinner: twelve dots with a fading tail, turned by one tenth of a turn per frame.
QImage BusyFrame(int frame) {
  QImage img = Canvas(26, 26, kWindow);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  const double head = frame * 36.0;
  for (int i = 0; i < 12; ++i) {
    const double angle = head - i * 30.0;
    const double rad = (angle - 90.0) * M_PI / 180.0;
    const QPointF c(13 + 9.0 * std::cos(rad), 13 + 9.0 * std::sin(rad));
    QColor dot = i == 0 ? kAccent : Mix(kAccent, kWindow, qMin(1.0, 0.12 + i * 0.085));
    p.setBrush(dot);
    p.drawEllipse(c, 2.3 - i * 0.09, 2.3 - i * 0.09);
  }
  return img;
}

// Slider picture for level 0-5: the track filled up to the thumb at that stop.
QImage Slider(int level, const QColor& from, const QColor& to) {
  QImage img = Canvas(kSliderW, kSliderH);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal left = 9, right = kSliderW - 9, cy = kSliderH / 2.0;
  const qreal x = left + level * (right - left) / 5.0;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2b, 0x30, 0x3a));
  p.drawRoundedRect(QRectF(left - 2, cy - 2.5, right - left + 4, 5), 2.5, 2.5);
  if (level > 0) {
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(left - 2, cy - 2.5, x - left + 4, 5), 2.5, 2.5);
  }
  for (int i = 0; i <= 5; ++i) {
    const qreal tx = left + i * (right - left) / 5.0;
    p.setBrush(i <= level ? QColor(255, 255, 255, 150) : QColor(0x4a, 0x50, 0x5c));
    p.drawEllipse(QPointF(tx, cy), 1.6, 1.6);
  }
  QColor halo = to;
  halo.setAlphaF(0.28);
  p.setBrush(halo);
  p.drawEllipse(QPointF(x, cy), 10, 10);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(x, cy), 6.5, 6.5);
  p.setBrush(Mix(from, to, level / 5.0));
  p.drawEllipse(QPointF(x, cy), 2.8, 2.8);
  return img;
}

QImage Swatch(const QColor& colour) {
  QImage img = Canvas(22, 22);
  QPainter p(&img);
  FillRound(p, QRectF(1, 1, 20, 20), 5, colour.lighter(110), colour, QColor(255, 255, 255, 60));
  return img;
}

Picture Bmp(const QString& name, const QImage& image) {
  return {name, image, Storage::Bmp};
}

}  // namespace

std::vector<Picture> PanelBitmaps() {
  std::vector<Picture> out;
  out.push_back(Bmp(QStringLiteral("dengup.bmp"), Switch(false, false)));
  out.push_back(Bmp(QStringLiteral("dengdown.bmp"), Switch(true, false)));
  out.push_back(Bmp(QStringLiteral("sjsup.bmp"), Switch(false, true)));
  out.push_back(Bmp(QStringLiteral("sjsdown.bmp"), Switch(true, true)));
  const std::pair<const char*, Glyph> directions[] = {{"left", Glyph::ArrowLeft},
                                                      {"right", Glyph::ArrowRight},
                                                      {"up", Glyph::Up},
                                                      {"down", Glyph::Down}};
  for (const auto& [name, glyph] : directions) {
    out.push_back(Bmp(QStringLiteral("%1up.bmp").arg(QLatin1String(name)), Choice(glyph, false)));
    out.push_back(Bmp(QStringLiteral("%1down.bmp").arg(QLatin1String(name)), Choice(glyph, true)));
  }
  out.push_back(Bmp(QStringLiteral("kuosan.bmp"), SpreadGather(true, false)));
  out.push_back(Bmp(QStringLiteral("kuosandown.bmp"), SpreadGather(true, true)));
  out.push_back(Bmp(QStringLiteral("julong.bmp"), SpreadGather(false, false)));
  out.push_back(Bmp(QStringLiteral("julongdown.bmp"), SpreadGather(false, true)));
  const std::pair<const char*, QColor> chips[] = {{"hong", QColor(0xff, 0x3b, 0x4e)},
                                                  {"huang", QColor(0xff, 0xc8, 0x2e)},
                                                  {"lv", QColor(0x3b, 0xe0, 0x6e)},
                                                  {"lan", QColor(0x2f, 0x7b, 0xff)}};
  for (const auto& [name, colour] : chips) {
    out.push_back(Bmp(QStringLiteral("%1.bmp").arg(QLatin1String(name)), Chip(colour, false)));
    out.push_back(Bmp(QStringLiteral("%1ok.bmp").arg(QLatin1String(name)), Chip(colour, true)));
  }
  out.push_back(Bmp(QStringLiteral("user1up.bmp"), Choice(Glyph::Brush, false)));
  out.push_back(Bmp(QStringLiteral("user1down.bmp"), Choice(Glyph::Brush, true)));
  out.push_back(Bmp(QStringLiteral("user2up.bmp"), Choice(Glyph::Bucket, false)));
  out.push_back(Bmp(QStringLiteral("user2down.bmp"), Choice(Glyph::Bucket, true)));
  for (int i = 1; i <= 10; ++i) {
    out.push_back(Bmp(QStringLiteral("jdt%1.bmp").arg(i), BusyFrame(i - 1)));
  }
  // 0-5 brightness, 10-15 speed; the others are spare levels in a neutral colour.
  for (int i = 0; i <= 25; ++i) {
    QImage img;
    if (i <= 5) {
      img = Slider(i, QColor(0x5a, 0x62, 0x70), QColor(0xf4, 0xfb, 0xff));
    } else if (i >= 10 && i <= 15) {
      img = Slider(i - 10, kAccentDeep, kViolet);
    } else {
      img = Slider(i % 6, QColor(0x4a, 0x50, 0x5c), kTextSoft);
    }
    out.push_back(Bmp(QStringLiteral("%1.bmp").arg(i), img));
  }
  const QColor presets[] = {QColor(0xff, 0x3b, 0x4e), QColor(0xff, 0x8a, 0x2a),
                            QColor(0xff, 0xd2, 0x2e), QColor(0x3b, 0xe0, 0x6e),
                            QColor(0x2d, 0xd4, 0xff), QColor(0x2f, 0x6b, 0xff),
                            QColor(0xa9, 0x6b, 0xff), QColor(0xf2, 0xf4, 0xf8)};
  for (int i = 0; i < 8; ++i) {
    out.push_back(Bmp(QStringLiteral("Color%1.bmp").arg(i + 1), Swatch(presets[i])));
  }
  return out;
}

}  // namespace talon::skingen
