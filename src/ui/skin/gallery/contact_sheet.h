#pragma once
// A sheet of labelled pictures, laid out in rows, saved as one PNG.
#include <QImage>
#include <QString>

#include <vector>

namespace talon::gallery {

class ContactSheet {
 public:
  explicit ContactSheet(QString title, int columns = 4)
      : title_(std::move(title)), columns_(columns) {}

  void Add(const QString& label, const QImage& picture);
  QImage Render() const;
  bool Save(const QString& path) const;

 private:
  QString title_;
  int columns_;
  std::vector<std::pair<QString, QImage>> cells_;
};

// The picture with everything outside `shape` transparent (an empty shape keeps it whole).
QImage CutToShape(const QImage& picture, const QRegion& shape);

}  // namespace talon::gallery
