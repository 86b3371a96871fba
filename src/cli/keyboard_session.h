#pragma once
// The keyboard as the configurator holds it after an attach: its default key map and macro
// capacity read, and (for the commands that need them) its key maps and macros captured into the
// store. Changes then leave through the configurator's own Apply: the upload with its size rule,
// and the working profile file saved when there is one.
#include <memory>

#include "cli/keyboard_connection.h"
#include "cli/profile_tools.h"
#include "model/model_context.h"
#include "model/profile_file.h"
#include "shell/skin_paths.h"

namespace talon::cli {

class KeyboardSession {
 public:
  KeyboardSession();

  // Connects and reads what an attach reads. kExitOk, or the exit code after saying why.
  int Open();
  // Open, then the keyboard's key maps and macros into the store (nothing is written).
  int OpenWithContents();

  // The active on-board profile, as read by Open.
  int active_profile() const { return active_profile_; }
  ProfileStore& store() { return model_->store; }
  KeyboardCommands& commands() { return keyboard_.commands(); }
  const SkinPaths& paths() const { return paths_; }
  const EnglishTexts& texts() const { return texts_; }
  StderrPort& port() { return port_; }
  ModelContext context() { return MakeContext(*model_, keyboard_.commands(), port_, texts_); }
  ProfilePaths profile_paths() const;

  // Uploads the store's macros with the active profile's key map (or all four), and when the
  // keyboard took them, saves the working profile file if it exists. kExitOk, or kExitRefused
  // after saying why (the size rule's message, or that the keyboard refused).
  int Apply(bool all_banks);

 private:
  SkinPaths paths_;
  EnglishTexts texts_;
  StderrPort port_;
  KeyboardConnection keyboard_;
  std::unique_ptr<KeyboardModel> model_;
  int active_profile_ = -1;
};

}  // namespace talon::cli
