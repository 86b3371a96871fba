// Pictures of the key assignment dialog (five face sets) and of the profile manager.
#include <QLinearGradient>
#include <QPainterPath>

#include "faces.h"
#include "layouts.h"
#include "pictures.h"

namespace talon::skingen {
namespace {

using namespace colours;

enum class Page { Key, Macro, Media, Function };

// The key assignment dialog's five sets: which page picture each carries and which look.
struct FaceSet {
  const char* prefix;
  Page page;
  bool locked;  // the G9 set: the other pages are locked, recording is shown
  std::vector<std::pair<const char*, State>> files;
};

QImage DialogChrome(const WindowLayout& layout) {
  QImage img = NewCanvas(layout.width, layout.height, kWindow);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, 56);
  g.setColorAt(0, QColor(0x18, 0x1b, 0x22));
  g.setColorAt(1, kWindow);
  QPainterPath clip;
  clip.addRoundedRect(QRectF(1, 1, layout.width - 2, 80), kCornerRadius - 1, kCornerRadius - 1);
  p.setClipPath(clip);
  p.fillRect(QRectF(1, 1, layout.width - 2, 55), g);
  p.setClipping(false);
  DrawWindowFrame(p, layout.width, layout.height);
  return img;
}

// A focus ring around a control the program draws itself (edits, lists, drop-downs).
void Well(QPainter& p, const Rect& r, const QColor& edge) {
  FillRound(p, QRectF(r.x - 3, r.y - 3, r.w + 6, r.h + 6), 7, QColor(0x13, 0x15, 0x1a),
            QColor(0x13, 0x15, 0x1a), edge);
}

void KeyPageArt(QPainter& p, const WindowLayout& l) {
  Well(p, l.at("FUNC_KEY_INPUT").rect, Mix(kAccent, kPanelEdge, 0.55));
  const Rect page = CompositePage();
  const qreal y = page.y + 214;
  const qreal x = page.right() - 20 - 3 * 42 + 4;
  const char* const names[] = {"Ctrl", "K", "Esc"};
  for (int i = 0; i < 3; ++i) {
    DrawKeycap(p, QRectF(x + 42 * i, y, 38, 38), i == 1 ? State::Lit : State::Normal,
               QString::fromLatin1(names[i]), Face::Key);
  }
}

void MacroPageArt(QPainter& p, const WindowLayout& l) {
  Well(p, l.at("FUNC_MACRO_LIST2").rect, kPanelEdge);
  const Rect delay = l.at("FUNC_MACRO_RECORD_DELAY").rect;
  p.fillRect(QRectF(delay.x - 2, delay.y - 9, 260, 1), kDivider);
}

void MediaPageArt(QPainter& p) {
  const Rect page = CompositePage();
  const QRectF deck(page.right() - 250, page.y + 110, 220, 120);
  FillRound(p, deck, 14, QColor(0x1f, 0x23, 0x2b), QColor(0x1b, 0x1e, 0x25), kPanelEdge);
  const qreal cy = deck.top() + 48;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(deck.center().x(), cy), 22, 22);
  p.restore();
  DrawGlyph(p, Glyph::Play, QRectF(deck.center().x() - 11, cy - 11, 22, 22), kAccentInk);
  for (int side : {-1, 1}) {
    const qreal cx = deck.center().x() + side * 62;
    QPolygonF tri;
    for (int k = 0; k < 2; ++k) {
      const qreal off = side * (k * 9 - 4.5);
      tri = QPolygonF({QPointF(cx + off - side * 7, cy - 8), QPointF(cx + off + side * 4, cy),
                       QPointF(cx + off - side * 7, cy + 8)});
      p.save();
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::NoPen);
      p.setBrush(kTextSoft);
      p.drawPolygon(tri);
      p.restore();
    }
  }
  // volume bar
  const QRectF bar(deck.left() + 28, deck.bottom() - 28, deck.width() - 56, 5);
  FillRound(p, bar, 2.5, QColor(0x33, 0x38, 0x43), QColor(0x33, 0x38, 0x43));
  FillRound(p, QRectF(bar.left(), bar.top(), bar.width() * 0.62, bar.height()), 2.5, kAccent,
            kAccentDeep);
}

void FunctionPageArt(QPainter& p) {
  const Rect page = CompositePage();
  const QRectF fn(page.right() - 190, page.y + 112, 76, 76);
  DrawKeycap(p, fn, State::Lit, QStringLiteral("Fn"), Face::FnKey);
  DrawKeycap(p, QRectF(fn.right() + 10, fn.top() + 19, 56, 56), State::Normal, QStringLiteral("F5"),
             Face::Key);
  DrawGlyph(p, Glyph::Lightning, QRectF(fn.left() - 42, fn.top() + 24, 30, 30), kViolet);
}

void DrawPage(QPainter& p, const WindowLayout& l, Page page) {
  const Rect r = CompositePage();
  FillRound(p, ToF(r), 10, kPanel, kPanel, kPanelEdge);
  switch (page) {
    case Page::Key:
      KeyPageArt(p, l);
      break;
    case Page::Macro:
      MacroPageArt(p, l);
      break;
    case Page::Media:
      MediaPageArt(p);
      break;
    case Page::Function:
      FunctionPageArt(p);
      break;
  }
}

void DrawTitle(QPainter& p, const Rect& r, bool macro, Glyph glyph = Glyph::Keyboard) {
  const QRectF box = ToF(r).adjusted(2, 2, -2, -2);
  QLinearGradient g(box.topLeft(), box.bottomRight());
  g.setColorAt(0, macro ? kViolet : kAccent);
  g.setColorAt(1, macro ? QColor(0x5b, 0x4b, 0xff) : kAccentDeep);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(box, 9, 9);
  p.restore();
  const QRectF inner = box.adjusted(7, 7, -7, -7);
  if (macro) {
    DrawGlyph(p, Glyph::Play, inner.adjusted(3, 3, -3, -3), kAccentInk);
  } else {
    DrawGlyph(p, glyph, inner, kAccentInk, 2.0);
  }
}

bool OnMacroPage(const Control& c) {
  return c.key.rfind("FUNC_MACRO_", 0) == 0 && c.face != Face::None;
}

QImage CompositeSheet(const QImage& chrome, const WindowLayout& l, const FaceSet& set, State s) {
  QImage img = chrome;
  QPainter p(&img);
  DrawPage(p, l, set.page);
  const bool macroButtons = set.page == Page::Macro;
  for (const Control& c : l.controls) {
    if (OnMacroPage(c) && !macroButtons) continue;
    if (c.face == Face::Title) {
      DrawTitle(p, c.rect, set.locked);
      continue;
    }
    State look = s;
    Control shown = c;
    const bool lockable = c.key == "CONTROL_KEY" || c.key == "CONTROL_MEDIA" ||
                          c.key == "CONTROL_FUNCTION" || c.key == "CONTROL_CLEAR";
    if (set.locked && lockable) {
      look = State::Disable;
      if (c.face == Face::Tab) shown.glyph = Glyph::Lock;
    }
    if (set.locked && c.key == "FUNC_MACRO_RECORD" && s != State::Disable) look = State::Lit;
    DrawFace(p, shown, look);
  }
  return img;
}

}  // namespace

std::vector<Picture> CompositePictures(const WindowLayout& layout) {
  const QImage chrome = DialogChrome(layout);
  const std::vector<FaceSet> sets = {
      {"key",
       Page::Key,
       false,
       {{"normal", State::Normal}, {"over", State::Over}, {"down", State::Down}}},
      {"macro",
       Page::Macro,
       false,
       {{"normal", State::Normal},
        {"over", State::Over},
        {"down", State::Down},
        {"disable", State::Disable}}},
      {"macro2",
       Page::Macro,
       true,
       {{"normal", State::Normal},
        {"over", State::Over},
        {"down", State::Down},
        {"disable", State::Disable}}},
      {"media",
       Page::Media,
       false,
       {{"normal", State::Normal}, {"over", State::Over}, {"down", State::Down}}},
      {"function",
       Page::Function,
       false,
       {{"normal", State::Normal}, {"over", State::Over}, {"down", State::Down}}},
  };
  std::vector<Picture> out;
  out.push_back(
      {QStringLiteral("composite_bg.jpg"), CompositeSheet(chrome, layout, sets[0], State::Normal)});
  out.push_back({QStringLiteral("composite_mask.bmp"), RenderMask(layout.width, layout.height),
                 Storage::Bmp});
  for (const FaceSet& set : sets) {
    for (const auto& [suffix, state] : set.files) {
      out.push_back(
          {QStringLiteral("%1_%2.jpg").arg(QLatin1String(set.prefix), QLatin1String(suffix)),
           CompositeSheet(chrome, layout, set, state), Storage::FaceSheet});
    }
  }
  return out;
}

std::vector<Picture> ProfilePictures(const WindowLayout& layout) {
  QImage chrome = DialogChrome(layout);
  {
    QPainter p(&chrome);
    DrawTitle(p, {16, 10, 40, 40}, false, Glyph::Profile);
    p.setFont(UiFont(17, true));
    p.setPen(kText);
    p.drawText(QRectF(66, 10, 300, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Profiles"));
    p.setFont(UiFont(10));
    p.setPen(kTextDim);
    p.drawText(QRectF(66, 31, 380, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("On-board profiles and profile files"));
    Well(p, layout.at("PROGRAM_LIST").rect, kPanelEdge);
  }
  auto sheet = [&](State s) {
    QImage img = chrome;
    QPainter p(&img);
    for (Control c : layout.controls) {
      // The pressed picture doubles as the disabled one, so the main action sinks instead of
      // staying lit when pressed.
      if (s == State::Down && c.face == Face::Primary) c.face = Face::Button;
      DrawFace(p, c, s);
    }
    return img;
  };
  std::vector<Picture> out;
  out.push_back({QStringLiteral("profile_bg.jpg"), sheet(State::Normal)});
  out.push_back(
      {QStringLiteral("profile_mask.bmp"), RenderMask(layout.width, layout.height), Storage::Bmp});
  out.push_back({QStringLiteral("Profile_normal.jpg"), sheet(State::Normal), Storage::FaceSheet});
  out.push_back({QStringLiteral("Profile_over.jpg"), sheet(State::Over), Storage::FaceSheet});
  out.push_back({QStringLiteral("Profile_down.jpg"), sheet(State::Down), Storage::FaceSheet});
  return out;
}

}  // namespace talon::skingen
