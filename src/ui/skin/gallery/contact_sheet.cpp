#include "ui/skin/gallery/contact_sheet.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace talon::gallery {

namespace {
constexpr int kPad = 12;
constexpr int kCaption = 18;
const QColor kSheet(236, 236, 232);
}  // namespace

void ContactSheet::Add(const QString& label, const QImage& picture) {
  cells_.emplace_back(label, picture);
}

QImage ContactSheet::Render() const {
  const int columns = std::max(1, columns_);
  std::vector<int> widths(columns, 0);
  std::vector<int> heights((cells_.size() + columns - 1) / columns, 0);
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    const QSize size = cells_[i].second.size();
    widths[i % columns] = std::max(widths[i % columns], size.width());
    heights[i / columns] = std::max(heights[i / columns], size.height());
  }
  int width = kPad;
  for (int w : widths) width += std::max(w, 120) + kPad;
  int height = kPad + 2 * kCaption;
  for (int h : heights) height += h + kCaption + kPad;

  QImage sheet(width, height, QImage::Format_ARGB32);
  sheet.fill(kSheet);
  QPainter painter(&sheet);
  QFont bold = painter.font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.drawText(QRect(kPad, kPad / 2, width, kCaption * 2), Qt::AlignVCenter, title_);
  painter.setFont(QFont());
  int y = kPad + 2 * kCaption;
  for (std::size_t row = 0; row < heights.size(); ++row) {
    int x = kPad;
    for (int column = 0; column < columns; ++column) {
      const std::size_t i = row * columns + column;
      if (i >= cells_.size()) break;
      painter.setPen(Qt::black);
      painter.drawText(QRect(x, y, std::max(widths[column], 120), kCaption), Qt::AlignLeft,
                       cells_[i].first);
      painter.drawImage(QPoint(x, y + kCaption), cells_[i].second);
      x += std::max(widths[column], 120) + kPad;
    }
    y += heights[row] + kCaption + kPad;
  }
  return sheet;
}

bool ContactSheet::Save(const QString& path) const {
  return Render().save(path, "PNG");
}

QImage CutToShape(const QImage& picture, const QRegion& shape) {
  if (shape.isEmpty()) return picture;
  QImage cut(picture.size(), QImage::Format_ARGB32);
  cut.fill(Qt::transparent);
  QPainter painter(&cut);
  painter.setClipRegion(shape);
  painter.drawImage(QPoint(0, 0), picture);
  return cut;
}

}  // namespace talon::gallery
