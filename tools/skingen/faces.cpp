#include "faces.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include "vector_icon.h"

namespace talon::skingen {
namespace {

using namespace colours;

struct Legend {
  QString main;
  QString top;  // shifted symbol shown above the main legend
  qreal size = 10;
  bool bold = false;
};

QString ShiftedSymbol(const QString& name) {
  static const char* const pairs[][2] = {
      {"`", "~"}, {"1", "!"}, {"2", "@"},  {"3", "#"}, {"4", "$"}, {"5", "%"}, {"6", "^"},
      {"7", "&"}, {"8", "*"}, {"9", "("},  {"0", ")"}, {"-", "_"}, {"=", "+"}, {"[", "{"},
      {"]", "}"}, {";", ":"}, {"'", "\""}, {",", "<"}, {".", ">"}, {"/", "?"}, {"\\", "|"}};
  for (const auto& pair : pairs) {
    if (name == QLatin1String(pair[0])) return QString::fromLatin1(pair[1]);
  }
  return {};
}

Legend LegendOf(const QString& name, qreal width) {
  Legend l;
  QString text = name;
  const bool keypad = text.startsWith(QLatin1String("Num ")) && text != QLatin1String("Num Lock");
  if (keypad) text = text.mid(4);
  if (text.startsWith(QLatin1String("Right "))) text = text.mid(6);
  l.top = keypad ? QString() : ShiftedSymbol(text);
  if (text.size() == 1 || text == QChar(0x2191) || text == QChar(0x2193)) {
    l.main = text;
    l.size = l.top.isEmpty() ? 14 : 12;
    l.bold = l.top.isEmpty() && text.at(0).isLetter();
    return l;
  }
  if (text.size() <= 3 && (text.startsWith(QLatin1Char('F')) || text.startsWith(QLatin1Char('G')) ||
                           text.startsWith(QLatin1Char('D')))) {
    l.main = text;
    l.size = 11.5;
    l.bold = true;
    return l;
  }
  // Words: split onto two lines when the key is narrow.
  l.main = text;
  l.size = 9.5;
  if (width < 40 && text.contains(QLatin1Char(' '))) {
    l.main = text.replace(QLatin1Char(' '), QLatin1Char('\n'));
    l.size = 8.5;
  }
  return l;
}

struct CapColours {
  QColor side, top, topLow, edge, legend, sub;
};

CapColours CapColoursFor(State s, Face kind) {
  CapColours c{kCapSide, kCapTopHi, kCapTop, kCapEdge, kText, kTextDim};
  if (kind == Face::GKey) {
    c.top = QColor(0x34, 0x32, 0x48);
    c.topLow = QColor(0x2c, 0x2a, 0x3e);
    c.legend = kViolet;
  } else if (kind == Face::DKey) {
    c.top = QColor(0x2b, 0x3a, 0x3a);
    c.topLow = QColor(0x25, 0x32, 0x33);
    c.legend = kMint;
  } else if (kind == Face::FnKey) {
    c.legend = kAccent;
  }
  switch (s) {
    case State::Over:
      c.top = c.top.lighter(124);
      c.topLow = c.topLow.lighter(124);
      c.edge = Mix(kAccent, c.edge, 0.25);
      break;
    case State::Down:
      c.top = c.topLow.darker(112);
      c.topLow = c.topLow.darker(118);
      c.legend = kAccent;
      break;
    case State::Disable:
      c.side = QColor(0x17, 0x19, 0x1e);
      c.top = QColor(0x1d, 0x20, 0x26);
      c.topLow = c.top;
      c.edge = QColor(0x22, 0x25, 0x2c);
      c.legend = kTextOff;
      c.sub = QColor(0x3a, 0x3f, 0x48);
      break;
    case State::Other:
      c.top = Mix(c.top, kAccent, 0.14);
      c.topLow = Mix(c.topLow, kAccent, 0.08);
      c.edge = Mix(c.edge, kAccent, 0.35);
      c.legend = kAccent;
      c.sub = Mix(kAccent, kTextDim, 0.5);
      break;
    case State::Lit:
      c.side = kAccentDeep.darker(150);
      c.top = kAccent;
      c.topLow = kAccentDeep;
      c.edge = kAccent.lighter(130);
      c.legend = kAccentInk;
      c.sub = QColor(0x0b, 0x3a, 0x4c);
      break;
    default:
      break;
  }
  return c;
}

void DrawLegend(QPainter& p, const QRectF& face, const Legend& l, const CapColours& c) {
  const QRectF area = face.adjusted(2, 1, -2, -1);
  // legends are sized for the keyboard's keys; larger caps (illustrations) scale them up
  const qreal scale = qMax(1.0, qMin(face.width(), face.height()) / 27.0);
  if (l.top.isEmpty()) {
    DrawFitted(p, area, l.main, UiFont(l.size * scale, l.bold), c.legend);
    return;
  }
  const qreal half = area.height() / 2;
  DrawFitted(p, QRectF(area.x(), area.y() + 1, area.width(), half), l.top, UiFont(10), c.sub);
  DrawFitted(p, QRectF(area.x(), area.y() + half - 2, area.width(), half), l.main,
             UiFont(l.size, true), c.legend);
}

void DrawButtonBody(QPainter& p, const QRectF& r, State s, bool primary, qreal radius = 7) {
  QColor top = kButtonHi, bottom = kButton, edge = kButtonEdge;
  if (primary) {
    top = kAccent;
    bottom = kAccentDeep;
    edge = kAccent.lighter(115);
  }
  switch (s) {
    case State::Over:
      top = top.lighter(primary ? 110 : 122);
      bottom = bottom.lighter(primary ? 110 : 122);
      edge = primary ? kAccent.lighter(140) : Mix(kAccent, edge, 0.35);
      break;
    case State::Down:
      top = bottom.darker(118);
      bottom = bottom.darker(110);
      edge = primary ? kAccentDeep : Mix(kAccent, edge, 0.5);
      break;
    case State::Disable:
      top = bottom = QColor(0x1c, 0x1f, 0x25);
      edge = QColor(0x25, 0x29, 0x30);
      break;
    case State::Other:
    case State::Lit:
      top = kAccent;
      bottom = kAccentDeep;
      edge = kAccent.lighter(125);
      break;
    default:
      break;
  }
  FillRound(p, r, radius, top, bottom, edge);
}

QColor ButtonInk(State s, bool filled) {
  if (s == State::Disable) return kTextOff;
  if (filled || s == State::Other || s == State::Lit) return kAccentInk;
  if (s == State::Down) return kAccent;
  return s == State::Over ? Qt::white : kText;
}

void DrawTextButton(QPainter& p, const Control& c, State s, bool primary) {
  const QRectF r = ToF(c.rect);
  DrawButtonBody(p, r, s, primary && s != State::Disable);
  const QColor ink = ButtonInk(s, primary && s != State::Disable);
  QRectF text = r.adjusted(6, 0, -6, 0);
  if (c.glyph != Glyph::None) {
    const qreal g = qMin(r.height() - 12, 18.0);
    const QFontMetricsF m(UiFont(12, true));
    const qreal total = g + 6 + m.horizontalAdvance(QString::fromStdString(c.legend));
    const qreal left = r.center().x() - total / 2;
    DrawGlyph(p, c.glyph, QRectF(left, r.center().y() - g / 2, g, g), ink, 1.7);
    text = QRectF(left + g + 6, r.y(), total - g - 6 + 2, r.height());
  }
  if (!c.legend.empty()) {
    DrawFitted(p, text, QString::fromStdString(c.legend), UiFont(12, true), ink,
               c.glyph != Glyph::None ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
  }
}

// A blank button whose caption the program draws; a glyph, if any, sits at its left edge.
void DrawField(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect);
  const bool recording = c.glyph == Glyph::Record && s == State::Lit;
  if (recording) {
    FillRound(p, r, 7, kRed, kRed.darker(135), kRed.lighter(120));
  } else {
    DrawButtonBody(p, r, s, false);
  }
  if (c.glyph == Glyph::None) return;
  const qreal g = qMin(r.height() - 12, 18.0);
  QColor ink = ButtonInk(s, false);
  if (c.glyph == Glyph::Record && s != State::Disable) ink = recording ? Qt::white : kRed;
  DrawGlyph(p, c.glyph, QRectF(r.x() + 9, r.center().y() - g / 2, g, g), ink, 1.7);
  if (c.glyph == Glyph::Profile) {
    // a drop-down hint on the right
    const qreal cx = r.right() - 15, cy = r.center().y();
    QPainterPath v;
    v.moveTo(cx - 4, cy - 2);
    v.lineTo(cx, cy + 2);
    v.lineTo(cx + 4, cy - 2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(v);
    p.restore();
  }
}

void DrawTool(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect);
  const bool close = c.glyph == Glyph::Close;
  QColor ink = kTextSoft;
  switch (s) {
    case State::Normal:
      FillRound(p, r, 7, Qt::transparent, Qt::transparent, QColor(0x2a, 0x2f, 0x39));
      break;
    case State::Over:
      if (close) {
        FillRound(p, r, 7, kRed, kRed.darker(115));
        ink = Qt::white;
      } else {
        FillRound(p, r, 7, kButtonHi.lighter(115), kButtonHi, Mix(kAccent, kButtonEdge, 0.4));
        ink = Qt::white;
      }
      break;
    case State::Down:
      FillRound(p, r, 7, kButton.darker(115), kButton.darker(110),
                close ? kRed : Mix(kAccent, kButtonEdge, 0.5));
      ink = close ? kRed : kAccent;
      break;
    case State::Disable:
      ink = kTextOff;
      break;
    case State::Other:
    case State::Lit:
      FillRound(p, r, 7, kAccent, kAccentDeep);
      ink = kAccentInk;
      break;
  }
  const qreal g = qMin(r.width(), r.height()) - 10;
  DrawGlyph(p, c.glyph, QRectF(r.center().x() - g / 2, r.center().y() - g / 2, g, g), ink, 1.8);
}

void DrawRound(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor fill = kButton, edge = kButtonEdge, ink = kTextSoft;
  if (s == State::Over) fill = kButtonHi, edge = Mix(kAccent, edge, 0.4), ink = kAccent;
  if (s == State::Down) fill = kButton.darker(120), ink = kAccent;
  if (s == State::Disable) ink = kTextOff, edge = kButton;
  if (s == State::Other || s == State::Lit) fill = kAccent, edge = kAccent, ink = kAccentInk;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(edge, 1));
  p.setBrush(fill);
  p.drawEllipse(r);
  p.restore();
  const qreal g = r.width() - 10;
  DrawGlyph(p, c.glyph, QRectF(r.center().x() - g / 2, r.center().y() - g / 2, g, g), ink, 1.5);
}

void DrawLogo(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  if (s == State::Over || s == State::Lit || s == State::Other) {
    for (int i = 4; i >= 1; --i) {
      QColor glow = kAccent;
      glow.setAlphaF(0.06 * (5 - i));
      p.setPen(Qt::NoPen);
      p.setBrush(glow);
      p.drawRoundedRect(r.adjusted(-i + 3, -i + 3, i - 3, i - 3), 11, 11);
    }
  }
  p.restore();
  // the application icon is the mark
  const int size = qRound((r.width() - 4) * 64.0 / 56.0);
  QImage mark = RenderIcon(AppIcon(), size);
  if (s == State::Disable) mark = mark.convertToFormat(QImage::Format_Grayscale8);
  const qreal shift = s == State::Down ? 1 : 0;
  p.drawImage(QPointF(r.center().x() - size / 2.0 + shift, r.center().y() - size / 2.0 + shift),
              mark);
}

void DrawLock(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect);
  const bool hover = s == State::Over;
  const bool lit = s == State::Lit || s == State::Other;
  if (hover) FillRound(p, r, 6, QColor(0x16, 0x19, 0x1f), QColor(0x16, 0x19, 0x1f), kPlateEdge);
  const QPointF dot(r.x() + 7, r.center().y());
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  if (lit) {
    QColor glow = kMint;
    glow.setAlphaF(0.25);
    p.setBrush(glow);
    p.setPen(Qt::NoPen);
    p.drawEllipse(dot, 5.5, 5.5);
  }
  p.setBrush(lit ? kMint : kLedOff);
  p.setPen(QPen(lit ? kMint.lighter(120) : QColor(0x3a, 0x45, 0x3e), 1));
  p.drawEllipse(dot, 3, 3);
  p.restore();
  const QColor ink = s == State::Disable ? kTextOff : (hover ? kText : kTextSoft);
  DrawFitted(p, r.adjusted(14, 0, -1, 0), QString::fromStdString(c.legend), UiFont(10.5), ink,
             Qt::AlignLeft | Qt::AlignVCenter);
}

// The bank indicator shows its bank letter large; bank B is its lit look.
void DrawBank(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect);
  const bool b = s == State::Lit;
  QColor fill = QColor(0x15, 0x18, 0x1e), edge = kPlateEdge;
  if (s == State::Over) fill = QColor(0x1c, 0x20, 0x27), edge = Mix(kAccent, edge, 0.4);
  if (s == State::Down) fill = QColor(0x11, 0x13, 0x18);
  FillRound(p, r, 6, fill, fill, edge);
  const QColor letter = s == State::Disable ? kTextOff : (b ? kViolet : kAccent);
  DrawFitted(p, QRectF(r.x(), r.y() + 1, r.width(), r.height() - 10),
             b ? QStringLiteral("B") : QStringLiteral("A"), UiFont(15, true), letter);
  DrawFitted(p, QRectF(r.x(), r.bottom() - 12, r.width(), 10), QStringLiteral("BANK"),
             UiFont(7, true), s == State::Disable ? kTextOff : kTextDim);
}

void DrawFlipTag(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect);
  const QColor edge = s == State::Over ? Mix(kAccent, kPlateEdge, 0.4) : kPlateEdge;
  FillRound(p, r, r.height() / 2, QColor(0x14, 0x17, 0x1d), QColor(0x14, 0x17, 0x1d), edge);
  const QColor ink = s == State::Disable ? kTextOff : (s == State::Lit ? kMint : kTextSoft);
  DrawFitted(p, r, QString::fromStdString(c.legend), UiFont(10.5, true), ink);
}

void DrawRate(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect);
  const bool chosen = s == State::Other || s == State::Lit;
  QColor fill = kButton, edge = kButtonEdge;
  if (s == State::Over) fill = kButtonHi, edge = Mix(kAccent, edge, 0.4);
  if (s == State::Down) fill = kButton.darker(115), edge = Mix(kAccent, edge, 0.6);
  if (s == State::Disable) fill = QColor(0x1c, 0x1f, 0x25), edge = fill;
  if (chosen) fill = QColor(0x12, 0x2b, 0x36), edge = kAccent;
  FillRound(p, r, 6, fill, fill, edge);
  // bars of rising height: the level of the report rate
  const qreal bw = 3.5, gap = 2.5, base = r.bottom() - 7;
  const qreal total = 4 * bw + 3 * gap;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    const qreal h = 4 + 3 * i;
    const bool on = i < c.level;
    QColor bar = on ? (chosen || s == State::Down ? kAccent : kTextSoft) : QColor(0x3a, 0x40, 0x4b);
    if (s == State::Disable) bar = on ? kTextOff : QColor(0x26, 0x2a, 0x31);
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(r.center().x() - total / 2 + i * (bw + gap), base - h, bw, h), 1, 1);
  }
  p.restore();
}

void DrawTab(QPainter& p, const Control& c, State s) {
  const QRectF r = ToF(c.rect);
  const bool selected = s == State::Down || s == State::Other || s == State::Lit;
  QColor fill = QColor(0x1a, 0x1d, 0x24), edge = kPanelEdge;
  if (s == State::Over) fill = QColor(0x22, 0x26, 0x2e), edge = Mix(kAccent, edge, 0.3);
  if (s == State::Disable) fill = QColor(0x16, 0x18, 0x1d), edge = QColor(0x20, 0x23, 0x29);
  if (selected) fill = kPanel, edge = kPanelEdge;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath path;
  path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, 8), 8, 8);
  p.setClipRect(r);
  p.setBrush(fill);
  p.setPen(QPen(edge, 1));
  p.drawPath(path);
  if (selected) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(r.x() + 14, r.y() + 1, r.width() - 28, 3), 1.5, 1.5);
  }
  p.restore();
  if (c.glyph != Glyph::None) {
    DrawGlyph(p, c.glyph, QRectF(r.center().x() - 8, r.center().y() - 8, 16, 16), kTextOff, 1.6);
  }
}

}  // namespace

void DrawKeycap(QPainter& p, const QRectF& r, State s, const QString& name, Face kind) {
  const CapColours c = CapColoursFor(s, kind);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  // skirt of the cap, then its top face; a pressed cap sinks into its skirt
  if (s == State::Lit) {
    QColor glow = kAccent;
    glow.setAlphaF(0.35);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawRoundedRect(r.adjusted(-1, -1, 1, 1), 6, 6);
  }
  p.setPen(QPen(s == State::Over ? Mix(kAccent, c.side, 0.3) : QColor(0x08, 0x09, 0x0c), 1));
  p.setBrush(c.side);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
  const QRectF face = s == State::Down      ? r.adjusted(3, 3.5, -3, -2.5)
                      : s == State::Disable ? r.adjusted(3, 2, -3, -3)
                                            : r.adjusted(3, 2, -3, -5);
  QLinearGradient g(face.topLeft(), face.bottomLeft());
  g.setColorAt(0, c.top);
  g.setColorAt(1, c.topLow);
  p.setBrush(g);
  p.setPen(QPen(c.edge, 1));
  p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  if (s == State::Over) {
    p.setPen(QPen(kAccent, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.6, 0.6, -0.6, -0.6), 5, 5);
  }
  if (s == State::Other) {
    // the assigned mark: a lit bar along the front edge of the cap
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const qreal w = qMin(face.width() * 0.5, 22.0);
    p.drawRoundedRect(QRectF(face.center().x() - w / 2, r.bottom() - 3.6, w, 2.2), 1.1, 1.1);
  }
  p.restore();
  DrawLegend(p, face, LegendOf(name, r.width()), c);
}

void DrawFace(QPainter& p, const Control& c, State s) {
  switch (c.face) {
    case Face::None:
    case Face::Page:
    case Face::Title:
      break;
    case Face::Key:
    case Face::GKey:
    case Face::DKey:
    case Face::FnKey:
      DrawKeycap(p, ToF(c.rect), s, QString::fromStdString(c.legend), c.face);
      break;
    case Face::Lock:
      DrawLock(p, c, s);
      break;
    case Face::Bank:
      DrawBank(p, c, s);
      break;
    case Face::FlipTag:
      DrawFlipTag(p, c, s);
      break;
    case Face::Button:
      DrawTextButton(p, c, s, false);
      break;
    case Face::Primary:
      if (c.legend.empty()) {
        DrawButtonBody(p, ToF(c.rect), s, s != State::Disable);
      } else {
        DrawTextButton(p, c, s, true);
      }
      break;
    case Face::Field:
      DrawField(p, c, s);
      break;
    case Face::Tab:
      DrawTab(p, c, s);
      break;
    case Face::Tool:
      DrawTool(p, c, s);
      break;
    case Face::Round:
      DrawRound(p, c, s);
      break;
    case Face::Logo:
      DrawLogo(p, c, s);
      break;
    case Face::Rate:
      DrawRate(p, c, s);
      break;
  }
}

}  // namespace talon::skingen
