#include "ui/skin/skin_picture.h"

#include <climits>
#include <fstream>
#include <iterator>
#include <vector>

namespace talon {

bool LoadSkinPicture(const std::filesystem::path& path, QImage& target) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
  if (file.bad() || bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    return false;
  }
  QImage picture;
  if (!picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                            static_cast<int>(bytes.size()))) {
    return false;
  }
  target = picture.convertToFormat(QImage::Format_RGB32);
  return true;
}

}  // namespace talon
