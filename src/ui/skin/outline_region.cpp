#include "ui/skin/outline_region.h"

#include <algorithm>
#include <vector>

namespace talon {

namespace {

constexpr std::size_t kGrowStep = 100;

struct KeyRange {
  int low[3];
  int high[3];
  bool Contains(QRgb pixel) const {
    const int channel[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    for (int i = 0; i < 3; ++i) {
      if (channel[i] < low[i] || channel[i] > high[i]) return false;
    }
    return true;
  }
};

void Merge(QRegion& result, std::vector<QRect>& batch) {
  if (batch.empty()) return;
  QRegion part;
  // Rows top to bottom, runs left to right, none overlapping: the banded order setRects wants.
  part.setRects(batch.data(), static_cast<int>(batch.size()));
  result |= part;
  batch.clear();
}

}  // namespace

std::optional<QRegion> OutlineRegion(const QImage& picture, ColorRef key, int tolerance) {
  const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
  const int k[3] = {RedOf(key), GreenOf(key), BlueOf(key)};
  KeyRange range{};
  for (int i = 0; i < 3; ++i) {
    range.low[i] = k[i];
    range.high[i] = std::min(k[i] + std::max(tolerance, 0), 255);
  }

  QRegion result;
  std::vector<QRect> batch;
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    int x = 0;
    while (x < pixels.width()) {
      while (x < pixels.width() && range.Contains(row[x])) ++x;
      const int start = x;
      while (x < pixels.width() && !range.Contains(row[x])) ++x;
      if (x == start) continue;
      if (batch.size() == batch.capacity()) batch.reserve(batch.capacity() + kGrowStep);
      batch.emplace_back(start, y, x - start, 1);
      if (batch.size() == static_cast<std::size_t>(kOutlineBatch)) Merge(result, batch);
    }
  }
  Merge(result, batch);
  if (result.isEmpty()) return std::nullopt;
  return result;
}

}  // namespace talon
