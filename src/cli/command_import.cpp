// talon7x-ctl import FILE: a profile file loaded and sent to the keyboard, all four key maps and
// the macros, as the configurator's restore does.
#include <filesystem>

#include "cli/cli_command.h"
#include "cli/keyboard_session.h"
#include "model/keyboard_upload.h"
#include "model/profile_file.h"

namespace talon::cli {

int RunImport(std::span<const std::string> args) {
  if (args.size() != 1) return kExitUsage;
  const std::filesystem::path path = args[0];
  KeyboardSession session;
  if (const int checked = CheckFileForTool(path, session.texts()); checked != kExitOk) {
    return checked;
  }
  if (const int opened = session.Open(); opened != kExitOk) return opened;

  const auto held = session.store().Lock();
  if (ReadProfileFile(session.store(), path) != kProfileUsable) {
    session.port().ShowMessage({"PROFILE_FORMAT_ERROR", {path.string()}});
    return kExitBadFile;
  }
  SaveWorkingProfile(session.store(), session.profile_paths());
  if (UploadToKeyboard(session.context(), true) != 1) {
    PrintError("the keyboard did not take the profile");
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace talon::cli
