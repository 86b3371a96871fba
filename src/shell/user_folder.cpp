#include "shell/user_folder.h"

#include <string>
#include <system_error>

#include <stdlib.h>

#include "platform/file_io.h"

namespace talon {

namespace fs = std::filesystem;

UserFolderResult EnsureUserFolder(const SkinPaths& paths) {
  UserFolderResult result;
  std::error_code ec;
  if (fs::exists(paths.user_folder, ec)) {
    result.existed = true;
    return result;
  }
  const fs::path parent = paths.user_folder.parent_path();
  fs::create_directories(parent, ec);
  std::string staging =
      (parent / ("." + paths.user_folder.filename().string() + ".XXXXXX")).string();
  if (::mkdtemp(staging.data()) == nullptr) return result;
  // mkdtemp makes the folder private; give it what any new folder of the user's gets.
  fs::permissions(staging, static_cast<fs::perms>(0777 & ~CurrentUmask()), ec);

  std::string colours;
  const bool have_default =
      ReadWholeFile(paths.DefaultColourFile(), colours) == ReadFileResult::kRead;
  int copied = 0;
  for (int profile = 0; have_default && profile < 4; ++profile) {
    const fs::path name = paths.UserColourFile(profile).filename();
    if (WriteFileAtomically(fs::path(staging) / name, colours)) ++copied;
  }

  fs::rename(staging, paths.user_folder, ec);
  if (ec) {
    // Another instance made the folder first: theirs stands.
    fs::remove_all(staging, ec);
    result.existed = fs::exists(paths.user_folder, ec);
    return result;
  }
  result.created = true;
  result.colour_files_copied = copied;
  return result;
}

}  // namespace talon
