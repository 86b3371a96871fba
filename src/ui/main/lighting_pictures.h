#pragma once
// The lighting panel's bitmaps ("dengup.bmp", "leftdown.bmp", the slider levels "0.bmp" ..
// "25.bmp" ...), read once from the skin folder and shared by every control that shows them.
#include <QImage>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace talon {

class LightingPictures {
 public:
  // Reads every picture the panel names; one that is missing or unreadable stays empty and its
  // control shows nothing.
  void Load(const std::filesystem::path& skin_folder);
  // The picture of this file name; an empty one for names that were not read.
  const QImage& Get(std::string_view file_name) const;
  // The slider pictures: brightness position v shows "v.bmp", speed position v "(10 + v).bmp".
  const QImage& Level(int number) const;

 private:
  std::map<std::string, QImage, std::less<>> pictures_;
};

}  // namespace talon
