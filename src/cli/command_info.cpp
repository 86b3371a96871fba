// talon7x-ctl info: what the keyboard says about itself.
#include <cstdio>

#include "cli/cli_command.h"
#include "cli/keyboard_connection.h"
#include "device/result_codes.h"

namespace talon::cli {

int RunInfo(std::span<const std::string> args) {
  if (!args.empty()) return kExitUsage;
  KeyboardConnection keyboard;
  if (const int opened = keyboard.Open(); opened != kExitOk) return opened;

  DeviceInfoBlock block;
  if (keyboard.commands().ReadDeviceInfo(block) != kDone) {
    PrintError("the keyboard did not answer");
    return kExitNoKeyboard;
  }
  std::printf("firmware: 0x%04X\n", block.firmware_version());
  std::printf("active profile: %u\n", block.active_profile());
  std::printf("macro capacity: %zu bytes\n", block.macro_capacity());
  std::printf("effects:");
  for (std::uint8_t effect : block.effects()) {
    if (effect != 0) std::printf(" %u", effect);
  }
  std::printf("\n");
  return kExitOk;
}

}  // namespace talon::cli
