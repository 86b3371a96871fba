#include "platform/standard_folders.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talon {
namespace {

namespace fs = std::filesystem;

// An environment path counts only when it is absolute, as the XDG base-directory rules ask.
fs::path AbsoluteFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return {};
  fs::path path(value);
  return path.is_absolute() ? path : fs::path();
}

}  // namespace

fs::path ProgramFilePath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe;
}

fs::path ProgramFolder() {
  if (const char* dir = std::getenv("TALON7X_PROGRAM_DIR"); dir != nullptr && *dir != '\0') {
    return fs::path(dir);
  }
  return ProgramFilePath().parent_path();
}

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return {};
}

fs::path LocalAppDataFolder() {
  fs::path path = AbsoluteFromEnv("XDG_DATA_HOME");
  return path.empty() ? HomeFolder() / ".local" / "share" : path;
}

fs::path UserConfigFolder() {
  fs::path path = AbsoluteFromEnv("XDG_CONFIG_HOME");
  return path.empty() ? HomeFolder() / ".config" : path;
}

fs::path UserRuntimeFolder() {
  fs::path path = AbsoluteFromEnv("XDG_RUNTIME_DIR");
  if (!path.empty()) return path;
  path = fs::path("/tmp") / ("talon7x-" + std::to_string(::getuid()));
  ::mkdir(path.c_str(), 0700);
  // A folder in /tmp could have been made by anyone: use it only when it is ours and private.
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
      (st.st_mode & 077) != 0) {
    return {};
  }
  return path;
}

}  // namespace talon
