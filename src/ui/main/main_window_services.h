#pragma once
// Everything the main window works with that outlives it: the program's paths, settings and
// texts, the keyboard link and model, and the ways it reaches the user and the desktop. The
// program fills it with the real things; tests with scripted dialogs and a recording desktop.
#include <functional>

#include "device/device_link.h"
#include "device/keyboard_commands.h"
#include "model/model_context.h"
#include "model/profile_file.h"
#include "platform/desktop_port.h"
#include "platform/file_dialog_port.h"
#include "platform/message_box_port.h"
#include "shell/language.h"
#include "shell/preferences.h"
#include "shell/skin_paths.h"

namespace talon {

struct MainWindowServices {
  const SkinPaths& paths;
  Preferences& preferences;
  Language& language;
  DeviceLink& link;
  KeyboardCommands& commands;
  KeyboardModel& model;
  ProfilePaths profile_paths;
  MessageBoxPort& message_box;
  FileDialogPort& file_dialog;
  DesktopPort& desktop;
  // Ends the program with an exit code (the window's exit sequence, or Cancel at the firmware
  // prompt); the program leaves its event loop.
  std::function<void(int exit_code)> end_program;
  // Gives up the one-instance lock during the exit sequence; may be empty.
  std::function<void()> release_instance;
};

}  // namespace talon
