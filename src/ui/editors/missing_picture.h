#pragma once
// An editor whose skin pictures cannot be read cannot be shown: the program says which picture
// and ends, as it does when the main window's pictures are missing.
#include <string>

namespace talon {

class CVexmoDlg;

void EndForMissingPicture(CVexmoDlg& window, const std::string& picture);

}  // namespace talon
