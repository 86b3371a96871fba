#include "cli/keyboard_connection.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "cli/cli_command.h"

namespace talon::cli {

namespace {

std::string WhereLibraryIsLookedFor() {
  std::string where;
  if (const char* path = std::getenv("LD_LIBRARY_PATH"); path != nullptr && *path != '\0') {
    where += std::string("LD_LIBRARY_PATH (") + path + "), then ";
  }
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  where += ec ? std::string("the program's folder") : self.parent_path().string();
  return where;
}

}  // namespace

KeyboardConnection::KeyboardConnection() : commands_(link_) {}

int KeyboardConnection::Open() {
  switch (link_.Start(nullptr)) {
    case StartResult::kStarted:
      break;
    case StartResult::kLibraryNotLoadable:
      PrintError(std::string("cannot load ") + kBridgeLibraryName + ", looked for in " +
                 WhereLibraryIsLookedFor() + ": " + link_.error());
      return kExitNoLibrary;
    case StartResult::kEntryMissing:
    case StartResult::kInitFailed:
      PrintError(std::string(kBridgeLibraryName) + " is not usable: " + link_.error());
      return kExitNoLibrary;
  }
  if (link_.start_count() == 0) {
    PrintError("no keyboard found");
    return kExitNoKeyboard;
  }
  return kExitOk;
}

void PrintError(const std::string& what) {
  std::cerr << "talon7x-ctl: " << what << '\n';
}

}  // namespace talon::cli
