#include "cli/keyboard_connection.h"

#include <iostream>

#include "cli/cli_command.h"
#include "platform/shared_library.h"

namespace talon::cli {

KeyboardConnection::KeyboardConnection() : commands_(link_) {}

int KeyboardConnection::Open() {
  switch (link_.Start(nullptr)) {
    case StartResult::kStarted:
      break;
    case StartResult::kLibraryNotLoadable:
      PrintError(std::string("cannot load ") + kBridgeLibraryName + ", looked for in " +
                 LibrarySearchDescription() + ": " + link_.error());
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
