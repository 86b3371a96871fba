#include "ui/main/lighting_pictures.h"

#include "ui/skin/skin_picture.h"

namespace talon {
namespace {

constexpr const char* kNamed[] = {
    "dengup.bmp",  "dengdown.bmp",   "leftup.bmp",  "leftdown.bmp", "rightup.bmp", "rightdown.bmp",
    "upup.bmp",    "updown.bmp",     "downup.bmp",  "downdown.bmp", "kuosan.bmp",  "kuosandown.bmp",
    "julong.bmp",  "julongdown.bmp", "hong.bmp",    "hongok.bmp",   "huang.bmp",   "huangok.bmp",
    "lv.bmp",      "lvok.bmp",       "lan.bmp",     "lanok.bmp",    "sjsup.bmp",   "sjsdown.bmp",
    "user1up.bmp", "user1down.bmp",  "user2up.bmp", "user2down.bmp"};
constexpr int kLevelPictures = 26;  // "0.bmp" .. "25.bmp"

}  // namespace

void LightingPictures::Load(const std::filesystem::path& skin_folder) {
  auto load = [&](const std::string& name) {
    QImage picture;
    LoadSkinPicture(skin_folder / name, picture);
    pictures_[name] = std::move(picture);
  };
  for (const char* name : kNamed) load(name);
  for (int i = 0; i < kLevelPictures; ++i) load(std::to_string(i) + ".bmp");
}

const QImage& LightingPictures::Get(std::string_view file_name) const {
  static const QImage none;
  const auto found = pictures_.find(file_name);
  return found != pictures_.end() ? found->second : none;
}

const QImage& LightingPictures::Level(int number) const {
  return Get(std::to_string(number) + ".bmp");
}

}  // namespace talon
