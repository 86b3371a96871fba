#pragma once
// The key assignment dialog's five face sets: one per page (key, macro, media, function) and
// the macro-only set the G9 key wears. Checked at the dialog's first opening; each picture is
// decoded once per run, when it is first shown.
#include <QSize>

#include <filesystem>
#include <string>

#include "ui/skin/face_sheet.h"
#include "ui/skin/place_control.h"

namespace talon {

class CompositeFaces {
 public:
  enum class Set { kKey, kMacro, kMacro2, kMedia, kFunction };

  bool IsLoaded() const { return loaded_; }
  // Every picture is needed; false with the path of the first that could not be read.
  bool Load(const std::filesystem::path& skin_folder, QSize client, std::string& failed);

  // Normal, hover, pressed and disabled faces of a set; the pressed face doubles as the other
  // state. The key, media and function sets have no disabled picture: their normal one serves.
  FaceSet Faces(Set set) const;
  const FaceSheet& Pressed(Set set) const { return sheets_[Index(set)].down; }

 private:
  struct Sheets {
    FaceSheet normal, over, down, disabled;
  };
  static int Index(Set set) { return static_cast<int>(set); }

  Sheets sheets_[5];
  bool loaded_ = false;
};

}  // namespace talon
