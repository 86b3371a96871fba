#include "theme.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

namespace talon::skingen {

void RegisterFonts() {
  // Registering the files by path keeps the output the same whatever fontconfig would pick.
  for (const char* file : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                           "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"}) {
    QFontDatabase::addApplicationFont(QString::fromLatin1(file));
  }
}

QFont UiFont(qreal pixels, bool bold) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(qMax(1, qRound(pixels)));
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

QRectF ToF(const Rect& r) {
  return QRectF(r.x, r.y, r.w, r.h);
}

QColor Mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(
      a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
      a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void FillRound(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
               const QColor& border) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setBrush(g);
  if (border.alpha() > 0) {
    p.setPen(QPen(border, 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  } else {
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(r, radius, radius);
  }
  p.restore();
}

void DrawFitted(QPainter& p, const QRectF& r, const QString& text, QFont font, const QColor& c,
                Qt::Alignment align) {
  p.save();
  for (int guard = 0; guard < 12; ++guard) {
    const QFontMetricsF m(font);
    qreal widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      widest = qMax(widest, m.horizontalAdvance(line));
    }
    if (widest <= r.width() || font.pixelSize() <= 7) break;
    font.setPixelSize(font.pixelSize() - 1);
  }
  p.setFont(font);
  p.setPen(c);
  p.drawText(r, static_cast<int>(align), text);
  p.restore();
}

}  // namespace talon::skingen
