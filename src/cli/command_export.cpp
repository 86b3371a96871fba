// talon7x-ctl export FILE: the keyboard's key maps and macros saved as a profile file.
#include <filesystem>

#include "cli/cli_command.h"
#include "cli/keyboard_connection.h"
#include "cli/profile_tools.h"
#include "device/result_codes.h"
#include "model/default_key_map.h"
#include "model/keyboard_capture.h"
#include "platform/file_io.h"

namespace talon::cli {

int RunExport(std::span<const std::string> args) {
  if (args.size() != 1) return kExitUsage;
  const std::filesystem::path path = args[0];
  KeyboardConnection keyboard;
  if (const int opened = keyboard.Open(); opened != kExitOk) return opened;

  // Key positions are tied to keys through the keyboard's own default map, as at attach.
  KeyBank read{};
  if (keyboard.commands().ReadDefaultKeyMap(read) != kDone) {
    PrintError("the keyboard did not answer");
    return kExitNoKeyboard;
  }
  DefaultKeyMap default_key_map;
  default_key_map.Replace(read);

  const EnglishTexts texts(SkinPathsFromEnvironment());
  const auto file = CaptureKeyboard(keyboard.commands(), default_key_map, texts);
  if (!file) {
    PrintError("the keyboard did not answer");
    return kExitNoKeyboard;
  }
  if (!WriteFileAtomically(path, *file)) {
    PrintError("cannot write " + path.string());
    return kExitBadFile;
  }
  return kExitOk;
}

}  // namespace talon::cli
