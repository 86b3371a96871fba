#include "ui/skin/skin_picture.h"

#include <climits>

#include "platform/large_buffer.h"

namespace talon {
namespace {

// Full-window pictures are this large and more; smaller ones are not worth a mapping.
constexpr qsizetype kLargePicture = qsizetype{1} << 20;

void ReleasePictureMemory(void* info) {
  auto* buffer = static_cast<LargeBuffer*>(info);
  ReleaseLargeBuffer(*buffer);
  delete buffer;
}

// An empty 32-bit picture in large-buffer memory for the reader to decode into (JPEG and BMP
// readers fill a picture of the right size and format in place); a null picture, and the
// reader's own memory, for small pictures or when that memory cannot be had.
QImage PictureToDecodeInto(QSize size) {
  if (!size.isValid()) return {};
  const qsizetype bytes_per_line = qsizetype{size.width()} * 4;
  const qsizetype bytes = bytes_per_line * size.height();
  if (bytes < kLargePicture || size.width() > INT_MAX / 4) return {};
  const std::optional<LargeBuffer> buffer = AllocateLargeBuffer(static_cast<std::size_t>(bytes));
  if (!buffer) return {};
  return QImage(buffer->data, size.width(), size.height(), bytes_per_line, QImage::Format_RGB32,
                ReleasePictureMemory, new LargeBuffer(*buffer));
}

}  // namespace

std::unique_ptr<QImageReader> OpenSkinPicture(const std::filesystem::path& path) {
  const QString name = QString::fromStdString(path.string());
  const QByteArray format = QByteArray::fromStdString(path.extension().string()).mid(1).toLower();
  if (!format.isEmpty()) {
    auto reader = std::make_unique<QImageReader>(name, format);
    reader->setAutoDetectImageFormat(false);
    if (reader->canRead()) return reader;
  }
  auto reader = std::make_unique<QImageReader>(name);
  if (!reader->canRead()) return nullptr;
  return reader;
}

bool LoadSkinPicture(const std::filesystem::path& path, QImage& target) {
  // Decoded straight from the file: the readers take it in small pieces, so a large BMP needs
  // no second copy in memory.
  const std::unique_ptr<QImageReader> reader = OpenSkinPicture(path);
  if (reader == nullptr) return false;
  QImage picture;
  if (reader->imageFormat() == QImage::Format_RGB32) picture = PictureToDecodeInto(reader->size());
  if (!reader->read(&picture)) return false;
  target = picture.format() == QImage::Format_RGB32 ? std::move(picture)
                                                    : picture.convertToFormat(QImage::Format_RGB32);
  return true;
}

}  // namespace talon
