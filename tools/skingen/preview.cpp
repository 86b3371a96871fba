// The contact sheet: the windows' backgrounds and the main window's face sheets side by side,
// each cut to its window outline, with the lighting panel's bitmaps underneath.
#include "preview.h"

#include <QPainterPath>

#include "theme.h"

namespace talon::skingen {
namespace {

const Picture* Find(const std::vector<Picture>& pictures, const QString& name) {
  for (const Picture& p : pictures) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

void DrawTile(QPainter& p, const QPointF& at, const Picture* picture, const QString& caption) {
  if (picture == nullptr) return;
  p.setFont(UiFont(13, true));
  p.setPen(QColor(0xc8, 0xcd, 0xd6));
  p.drawText(QRectF(at.x(), at.y(), 800, 20), Qt::AlignLeft | Qt::AlignVCenter, caption);
  const QImage& img = picture->image;
  QPainterPath outline;
  outline.addRoundedRect(QRectF(at.x(), at.y() + 26, img.width(), img.height()), kCornerRadius,
                         kCornerRadius);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipPath(outline);
  p.drawImage(QPointF(at.x(), at.y() + 26), img);
  p.restore();
}

}  // namespace

QImage RenderPreview(const std::vector<Picture>& pictures, int mainW, int mainH) {
  const int gap = 40;
  const int tileH = mainH + 26 + gap;
  int bitmapRowH = 0, bitmapW = gap;
  for (const Picture& pic : pictures) {
    if (pic.storage != Storage::Bmp || pic.name.contains(QLatin1String("mask"))) continue;
    bitmapRowH = qMax(bitmapRowH, pic.image.height() * 2);
    bitmapW += pic.image.width() * 2 + 12;
  }
  const int width = gap + 2 * (mainW + gap);
  const int bitmapRows = (bitmapW + width - 1) / width + 1;
  QImage sheet(width, gap + 4 * tileH + bitmapRows * (bitmapRowH + 16) + gap, QImage::Format_RGB32);
  sheet.fill(QColor(0x2b, 0x2e, 0x35));
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const struct {
    const char* name;
    const char* caption;
  } tiles[] = {{"main_bg.jpg", "Main window - background"},
               {"main_normal.jpg", "Main window - normal faces"},
               {"main_over.jpg", "Main window - hover faces"},
               {"main_down.jpg", "Main window - pressed faces"},
               {"main_disable.jpg", "Main window - disabled faces"},
               {"main_color0.jpg", "Main window - other faces (assigned keys, bank A)"},
               {"main_color1.jpg", "Main window - selected faces (bank B)"}};
  int i = 0;
  for (const auto& t : tiles) {
    const QPointF at(gap + (i % 2) * (mainW + gap), gap + (i / 2) * tileH);
    DrawTile(p, at, Find(pictures, QString::fromLatin1(t.name)), QString::fromLatin1(t.caption));
    ++i;
  }
  const QPointF last(gap + (mainW + gap), gap + 3 * tileH);
  const Picture* composite = Find(pictures, QStringLiteral("composite_bg.jpg"));
  DrawTile(p, last, composite, QStringLiteral("Key assignment - background"));
  if (composite != nullptr) {
    DrawTile(p, last + QPointF(composite->image.width() + gap, 0),
             Find(pictures, QStringLiteral("profile_bg.jpg")),
             QStringLiteral("Profile manager - background"));
  }
  qreal x = gap, y = gap + 4 * tileH;
  for (const Picture& pic : pictures) {
    if (pic.storage != Storage::Bmp || pic.name.contains(QLatin1String("mask"))) continue;
    const QSize s = pic.image.size() * 2;
    if (x + s.width() > width - gap) x = gap, y += bitmapRowH + 16;
    p.drawImage(QRectF(QPointF(x, y), s), pic.image);
    x += s.width() + 12;
  }
  return sheet;
}

}  // namespace talon::skingen
