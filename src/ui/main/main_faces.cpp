#include "ui/main/main_faces.h"

#include "ui/skin/skin_picture.h"

namespace talon {

bool MainFaces::Load(const std::filesystem::path& skin_folder, QSize client, std::string& failed) {
  struct Sheet {
    const char* file;
    FaceSheet* sheet;
    bool needed;
  };
  const Sheet sheets[] = {
      {"main_normal.jpg", &normal, true},   {"main_over.jpg", &over, true},
      {"main_down.jpg", &down, true},       {"main_disable.jpg", &disabled, true},
      {"main_color0.jpg", &colour0, false}, {"main_color1.jpg", &colour1, false}};
  for (const Sheet& s : sheets) {
    *s.sheet = FaceSheet::Load(skin_folder / s.file, client);
    if (s.sheet->IsNull() && s.needed) {
      failed = (skin_folder / s.file).string();
      return false;
    }
  }
  // A small picture whose sheet is its own size: decoded now.
  QImage arrows;
  if (LoadSkinPicture(skin_folder / "Arrow.jpg", arrows)) {
    arrow = FaceSheet::Create(arrows, arrows.size());
  }
  return true;
}

}  // namespace talon
