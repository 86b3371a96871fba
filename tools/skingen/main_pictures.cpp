// Pictures of the main window: background, outline mask, the six face sheets and Arrow.jpg.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include "faces.h"
#include "layouts.h"
#include "pictures.h"

namespace talon::skingen {
namespace {

using namespace colours;

void DrawHeader(QPainter& p, const Rect& logo) {
  const Rect h = MainHeader();
  QLinearGradient g(0, 0, 0, h.h);
  g.setColorAt(0, QColor(0x18, 0x1b, 0x22));
  g.setColorAt(1, kWindow);
  p.save();
  p.setClipPath([&] {
    QPainterPath clip;
    clip.addRoundedRect(QRectF(1, 1, h.w - 2, h.h + 20), kCornerRadius - 1, kCornerRadius - 1);
    return clip;
  }());
  p.fillRect(QRectF(1, 1, h.w - 2, h.h - 1), g);
  p.restore();
  const qreal x = logo.right() + 10;
  p.setFont(UiFont(17, true));
  p.setPen(kText);
  p.drawText(QRectF(x, 9, 220, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TALON7X"));
  const qreal dash =
      x + QFontMetricsF(UiFont(17, true)).horizontalAdvance(QStringLiteral("TALON7X"));
  p.setPen(kAccent);
  p.drawText(QRectF(dash, 9, 120, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("-DUO"));
  QFont small = UiFont(8.5, true);
  small.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
  p.setFont(small);
  p.setPen(kTextDim);
  p.drawText(QRectF(x + 1, 32, 240, 14), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("KEYBOARD CONFIGURATOR"));
}

void DrawPlate(QPainter& p) {
  const QRectF r = ToF(MainPlate());
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  // soft underglow beneath the plate
  QLinearGradient glow(r.left(), 0, r.right(), 0);
  glow.setColorAt(0, QColor(0x2d, 0xd4, 0xff, 0));
  glow.setColorAt(0.2, QColor(0x2d, 0xd4, 0xff, 110));
  glow.setColorAt(0.55, QColor(0x7a, 0x5c, 0xff, 110));
  glow.setColorAt(0.85, QColor(0x6e, 0xe7, 0xc0, 90));
  glow.setColorAt(1, QColor(0x6e, 0xe7, 0xc0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawRoundedRect(QRectF(r.left() + 30, r.bottom() - 3, r.width() - 60, 5), 2.5, 2.5);
  FillRound(p, r, 12, QColor(0x10, 0x12, 0x17), kPlate, kPlateEdge);
  p.setPen(QPen(QColor(255, 255, 255, 14), 1));
  p.drawLine(QPointF(r.left() + 12, r.top() + 1.5), QPointF(r.right() - 12, r.top() + 1.5));
  p.restore();
  // maker's mark on the plate, over the free end of the top row
  QFont mark = UiFont(10, true);
  mark.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
  p.setFont(mark);
  p.setPen(QColor(0x3b, 0x41, 0x4d));
  p.drawText(QRectF(r.left() + 320, r.top() + 14, 300, 34), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("TALON7X \u00b7 DUO"));
}

void DrawPanel(QPainter& p) {
  const QRectF r = ToF(MainPanel());
  FillRound(p, r, 12, kPanel, kPanel, kPanelEdge);
  p.fillRect(QRectF(r.left() + 16, r.top() + 52, r.width() - 32, 1), kDivider);
}

QImage Chrome(const WindowLayout& layout) {
  QImage img = NewCanvas(layout.width, layout.height, kWindow);
  QPainter p(&img);
  DrawWindowFrame(p, layout.width, layout.height);
  DrawHeader(p, layout.at("TORVEL_LINK").rect);
  DrawPlate(p);
  DrawPanel(p);
  return img;
}

bool InPanel(const Control& c) {
  const Rect panel = MainPanel();
  return c.rect.x >= panel.x && c.rect.y >= panel.y && c.rect.right() <= panel.right() &&
         c.rect.bottom() <= panel.bottom();
}

QImage Sheet(const QImage& chrome, const WindowLayout& layout, State s, bool withPanel) {
  QImage img = chrome;
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  for (const Control& c : layout.controls) {
    if (!withPanel && InPanel(c)) continue;
    DrawFace(p, c, s);
  }
  return img;
}

QImage ArrowSheet() {
  QImage img = NewCanvas(kArrowSheetW, kArrowSheetH, kPlate);
  QPainter p(&img);
  const Glyph glyphs[] = {Glyph::Up, Glyph::Down, Glyph::Up, Glyph::Down};
  for (int i = 0; i < 4; ++i) {
    const Rect cell = ArrowCell(i);
    const QRectF box(cell.x + 1, cell.y + 3, cell.w - 2, cell.h - 6);
    DrawGlyph(p, glyphs[i], box, i < 2 ? kAccent : kMint, 2.2);
  }
  return img;
}

}  // namespace

std::vector<Picture> MainPictures(const WindowLayout& layout) {
  const QImage chrome = Chrome(layout);
  std::vector<Picture> out;
  out.push_back({QStringLiteral("main_bg.jpg"), Sheet(chrome, layout, State::Normal, false)});
  out.push_back(
      {QStringLiteral("main_mask.bmp"), RenderMask(layout.width, layout.height), Storage::Bmp});
  const std::pair<const char*, State> sheets[] = {
      {"main_normal.jpg", State::Normal}, {"main_over.jpg", State::Over},
      {"main_down.jpg", State::Down},     {"main_disable.jpg", State::Disable},
      {"main_color0.jpg", State::Other},  {"main_color1.jpg", State::Lit}};
  for (const auto& [name, state] : sheets) {
    out.push_back(
        {QString::fromLatin1(name), Sheet(chrome, layout, state, true), Storage::FaceSheet});
  }
  out.push_back({QStringLiteral("Arrow.jpg"), ArrowSheet()});
  return out;
}

}  // namespace talon::skingen
