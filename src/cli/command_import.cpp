// talon7x-ctl import FILE: a profile file loaded and sent to the keyboard, all four key maps and
// the macros, as the configurator's restore does.
#include <filesystem>
#include <memory>

#include "cli/cli_command.h"
#include "cli/keyboard_connection.h"
#include "cli/profile_tools.h"
#include "device/result_codes.h"
#include "model/keyboard_upload.h"
#include "model/profile_file.h"
#include "shell/user_folder.h"

namespace talon::cli {

namespace {

// What the configurator reads from the keyboard when it is attached.
bool ReadKeyboardBasics(KeyboardCommands& commands, KeyboardModel& model) {
  KeyBank read{};
  DeviceInfoBlock info;
  if (commands.ReadDefaultKeyMap(read) != kDone || commands.ReadDeviceInfo(info) != kDone) {
    return false;
  }
  model.default_key_map.Replace(read);
  model.macro_capacity.Set(info.macro_capacity());
  return true;
}

}  // namespace

int RunImport(std::span<const std::string> args) {
  if (args.size() != 1) return kExitUsage;
  const std::filesystem::path path = args[0];
  const SkinPaths paths = SkinPathsFromEnvironment();
  const EnglishTexts texts(paths);
  if (const int checked = CheckFileForTool(path, texts); checked != kExitOk) return checked;

  KeyboardConnection keyboard;
  if (const int opened = keyboard.Open(); opened != kExitOk) return opened;
  const auto model = std::make_unique<KeyboardModel>();
  if (!ReadKeyboardBasics(keyboard.commands(), *model)) {
    PrintError("the keyboard did not answer");
    return kExitNoKeyboard;
  }

  StderrPort port(texts);
  const auto held = model->store.Lock();
  if (ReadProfileFile(model->store, path) != kProfileUsable) {
    port.ShowMessage({"PROFILE_FORMAT_ERROR", {path.string()}});
    return kExitBadFile;
  }
  const ProfilePaths profile_paths{paths.working_profile_file,
                                   [&paths] { EnsureUserFolder(paths); }};
  SaveWorkingProfile(model->store, profile_paths);
  const ModelContext context = MakeContext(*model, keyboard.commands(), port, texts);
  if (UploadToKeyboard(context, true) != 1) {
    PrintError("the keyboard did not take the profile");
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace talon::cli
