#include "ui/editors/composite_faces.h"

#include <vector>

namespace talon {
namespace {

constexpr const char* kPrefixes[] = {"key", "macro", "macro2", "media", "function"};
// Only the macro sets have a picture of their own for disabled buttons.
constexpr bool kHasDisabled[] = {false, true, true, false, false};

}  // namespace

bool CompositeFaces::Load(const std::filesystem::path& skin_folder, QSize client,
                          std::string& failed) {
  Sheets loaded[5];
  for (int i = 0; i < 5; ++i) {
    const std::string prefix = kPrefixes[i];
    struct Part {
      const char* suffix;
      FaceSheet* sheet;
    };
    std::vector<Part> parts = {{"_normal.jpg", &loaded[i].normal},
                               {"_over.jpg", &loaded[i].over},
                               {"_down.jpg", &loaded[i].down}};
    if (kHasDisabled[i]) parts.push_back({"_disable.jpg", &loaded[i].disabled});
    for (const Part& part : parts) {
      const std::filesystem::path file = skin_folder / (prefix + part.suffix);
      // Checked now, decoded when first shown: most openings show one or two of the pages.
      *part.sheet = FaceSheet::Load(file, client);
      if (part.sheet->IsNull()) {
        failed = file.string();
        return false;
      }
    }
    if (!kHasDisabled[i]) loaded[i].disabled = loaded[i].normal;
  }
  for (int i = 0; i < 5; ++i) sheets_[i] = std::move(loaded[i]);
  loaded_ = true;
  return true;
}

FaceSet CompositeFaces::Faces(Set set) const {
  const Sheets& s = sheets_[Index(set)];
  return {&s.normal, &s.over, &s.down, &s.disabled, &s.down};
}

}  // namespace talon
