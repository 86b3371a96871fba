#include "ui/editors/missing_picture.h"

#include <cstdio>

#include "ui/main/main_window.h"

namespace talon {

void EndForMissingPicture(CVexmoDlg& window, const std::string& picture) {
  std::fprintf(stderr, "talon7x: cannot read the skin picture %s\n", picture.c_str());
  window.ExitSequence();
}

}  // namespace talon
