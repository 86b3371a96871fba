// The per-user folder with its four colour-mode files, made on first use.
#pragma once

#include <filesystem>

#include "shell/skin_paths.h"

namespace talon {

struct UserFolderResult {
  bool existed = false;         // the folder was there already and was left alone
  bool created = false;         // we made it now
  int colour_files_copied = 0;  // of 4; fewer when the default colour file could not be read
};

// When the per-user folder is missing, creates it with the default colour-mode file copied byte
// for byte to the colour files of profiles 0-3. The folder is filled under a temporary name and
// then renamed into place, so an interrupted start never leaves a folder without its files, and
// two instances starting together cannot half-fill it. A default file that is missing or
// unreadable still gives the folder, without colour files (they then read as their defaults).
// An existing folder is not touched.
UserFolderResult EnsureUserFolder(const SkinPaths& paths);

}  // namespace talon
