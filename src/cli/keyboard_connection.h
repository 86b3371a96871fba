#pragma once
// The device link as a sub-command needs it: the service library bound and started the way the
// program does it, with failures turned into the tool's exit codes and messages.
#include "device/device_link.h"
#include "device/keyboard_commands.h"

namespace talon::cli {

class KeyboardConnection {
 public:
  KeyboardConnection();

  // kExitOk when a keyboard is there; otherwise prints why on stderr and returns
  // kExitNoLibrary or kExitNoKeyboard.
  int Open();

  DeviceLink& link() { return link_; }
  KeyboardCommands& commands() { return commands_; }

 private:
  DeviceLink link_;
  KeyboardCommands commands_;
};

// Prints "talon7x-ctl: <what>" on stderr.
void PrintError(const std::string& what);

}  // namespace talon::cli
