#include "cli/keyboard_session.h"

#include "cli/cli_command.h"
#include "device/result_codes.h"
#include "model/keyboard_capture.h"
#include "model/keyboard_upload.h"
#include "model/profile_file.h"
#include "shell/user_folder.h"

namespace talon::cli {

namespace {

constexpr const char* kNoAnswer = "the keyboard did not answer";

}  // namespace

KeyboardSession::KeyboardSession()
    : paths_(SkinPathsFromEnvironment()),
      texts_(paths_),
      port_(texts_),
      model_(std::make_unique<KeyboardModel>()) {}

int KeyboardSession::Open() {
  if (const int opened = keyboard_.Open(); opened != kExitOk) return opened;
  KeyBank read{};
  DeviceInfoBlock info;
  if (commands().ReadDefaultKeyMap(read) != kDone || commands().ReadDeviceInfo(info) != kDone) {
    PrintError(kNoAnswer);
    return kExitNoKeyboard;
  }
  model_->default_key_map.Replace(read);
  model_->macro_capacity.Set(info.macro_capacity());
  active_profile_ = commands().GetActiveProfile();
  if (active_profile_ < 0) {
    PrintError(kNoAnswer);
    return kExitNoKeyboard;
  }
  return kExitOk;
}

int KeyboardSession::OpenWithContents() {
  if (const int opened = Open(); opened != kExitOk) return opened;
  const auto captured = CaptureKeyboard(commands(), model_->default_key_map, texts_);
  const auto* bytes = captured ? reinterpret_cast<const std::uint8_t*>(captured->data()) : nullptr;
  // Without a whole capture nothing may be sent: the store would stand for an empty keyboard.
  if (!captured || ReadProfileBytes(store(), {bytes, captured->size()}) != kProfileUsable) {
    PrintError(kNoAnswer);
    return kExitNoKeyboard;
  }
  return kExitOk;
}

ProfilePaths KeyboardSession::profile_paths() const {
  return {paths_.working_profile_file, [this] { EnsureUserFolder(paths_); }};
}

int KeyboardSession::Apply(bool all_banks) {
  const auto held = store().Lock();
  if (UploadToKeyboard(context(), all_banks) != 1) {
    // The size rule has said why already; nothing was sent.
    if (port_.last_shown() != "EXTRA_MACRO_TOO_LONG") {
      PrintError("the keyboard did not take the change");
    }
    return kExitRefused;
  }
  SaveWorkingProfile(store(), profile_paths());
  return kExitOk;
}

}  // namespace talon::cli
