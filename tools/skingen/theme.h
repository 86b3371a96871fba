// Palette, fonts and the small drawing primitives every picture of the default skin shares.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "geometry.h"

namespace talon::skingen {

// The state a face sheet shows. Other marks an assigned key (the button's other state); Lit is
// the selected look (the active profile, bank B, the key being edited).
enum class State { Normal, Over, Down, Disable, Other, Lit };

namespace colours {
inline const QColor kWindow{0x12, 0x14, 0x19};
inline const QColor kWindowEdge{0x2c, 0x31, 0x3b};
inline const QColor kPlate{0x0b, 0x0d, 0x11};
inline const QColor kPlateEdge{0x24, 0x28, 0x31};
inline const QColor kPanel{0x19, 0x1c, 0x23};
inline const QColor kPanelEdge{0x27, 0x2c, 0x36};
inline const QColor kDivider{0x2a, 0x2f, 0x39};
inline const QColor kCapSide{0x1d, 0x21, 0x28};
inline const QColor kCapTop{0x2c, 0x31, 0x3b};
inline const QColor kCapTopHi{0x33, 0x39, 0x45};
inline const QColor kCapEdge{0x3c, 0x43, 0x50};
inline const QColor kButton{0x22, 0x26, 0x2f};
inline const QColor kButtonHi{0x2b, 0x30, 0x3b};
inline const QColor kButtonEdge{0x33, 0x39, 0x45};
inline const QColor kText{0xe8, 0xeb, 0xf1};
inline const QColor kTextSoft{0xa4, 0xab, 0xb8};
inline const QColor kTextDim{0x6c, 0x73, 0x80};
inline const QColor kTextOff{0x4a, 0x50, 0x5b};
inline const QColor kAccent{0x2d, 0xd4, 0xff};
inline const QColor kAccentDeep{0x14, 0x9c, 0xcf};
inline const QColor kAccentInk{0x04, 0x16, 0x1e};
inline const QColor kViolet{0xa9, 0x8c, 0xff};
inline const QColor kMint{0x6e, 0xe7, 0xc0};
inline const QColor kRed{0xff, 0x55, 0x66};
inline const QColor kLedOff{0x2a, 0x33, 0x2d};
}  // namespace colours

// DejaVu Sans at a pixel size; the fonts are registered from the system's font folder at start.
QFont UiFont(qreal pixels, bool bold = false);
void RegisterFonts();

// Fills a rounded rectangle with a top-to-bottom gradient and an optional one-pixel border.
void FillRound(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
               const QColor& border = Qt::transparent);
// Draws text centred in r, shrinking the font until it fits the width.
void DrawFitted(QPainter& p, const QRectF& r, const QString& text, QFont font, const QColor& c,
                Qt::Alignment align = Qt::AlignCenter);
// A line-art glyph centred in box, drawn with strokes of the given width.
void DrawGlyph(QPainter& p, Glyph g, const QRectF& box, const QColor& c, qreal stroke = 1.8);

QRectF ToF(const Rect& r);
QColor Mix(const QColor& a, const QColor& b, qreal t);

}  // namespace talon::skingen
