#include "writer.h"

#include <QBuffer>
#include <QSaveFile>
#include <cstdio>

namespace talon::skingen {
namespace {

constexpr int kJpegQuality = 95;

QByteArray Section(const char* name) {
  return QByteArray("[") + name + "]\n";
}

QByteArray Entry(const std::string& key, const Rect& r) {
  return QByteArray::fromStdString(key) + '=' +
         QByteArray::fromStdString(std::to_string(r.x) + ',' + std::to_string(r.y) + ',' +
                                   std::to_string(r.w) + ',' + std::to_string(r.h)) +
         '\n';
}

// A button shows its sheets from (x - 1, y - 1), so the sheet is stored moved up and left by one
// pixel; the last row and column repeat the window colour underneath.
QImage ShiftForFaces(const QImage& image) {
  QImage out(image.size(), image.format());
  out.fill(image.pixelColor(image.width() - 1, image.height() / 2));
  QPainter p(&out);
  p.drawImage(-1, -1, image);
  return out;
}

}  // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    std::fprintf(stderr, "skingen: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
  }
  return true;
}

bool WriteSkinFile(const QString& folder, const SkinFile& file) {
  QByteArray text = Section("SCREEN");
  text += "Main=" + file.background.toUtf8() + '\n';
  text += "Mask=" + file.mask.toUtf8() + '\n';
  if (!file.link.isEmpty()) text += "Link=" + file.link.toUtf8() + '\n';
  text += '\n' + Section("BUTTONINFO");
  for (const Control& c : file.layout->controls) text += Entry(c.key, c.rect);
  if (!file.faceOrigins.empty()) {
    text += '\n' + Section("BUTTONINFO2");
    for (const Control& c : file.faceOrigins) text += Entry(c.key, c.rect);
  }
  return WriteFileAtomically(folder + QLatin1Char('/') + file.name, text);
}

bool WritePicture(const QString& folder, const Picture& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool encoded = false;
  switch (picture.storage) {
    case Storage::Jpeg:
      encoded = picture.image.save(&buffer, "JPG", kJpegQuality);
      break;
    case Storage::FaceSheet:
      encoded = ShiftForFaces(picture.image).save(&buffer, "JPG", kJpegQuality);
      break;
    case Storage::Png:
      encoded = picture.image.save(&buffer, "PNG");
      break;
    case Storage::Bmp:
      encoded = picture.image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
      break;
  }
  if (!encoded) {
    std::fprintf(stderr, "skingen: cannot encode %s\n", qPrintable(picture.name));
    return false;
  }
  return WriteFileAtomically(folder + QLatin1Char('/') + picture.name, bytes);
}

}  // namespace talon::skingen
