// talon7x-ctl info [--json]: what the keyboard says about itself.
#include <cstdio>

#include "cli/cli_arguments.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "cli/keyboard_connection.h"
#include "device/result_codes.h"

namespace talon::cli {

int RunInfo(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, option::kJson);
  if (!parsed || !parsed->positional.empty()) return kExitUsage;
  KeyboardConnection keyboard;
  if (const int opened = keyboard.Open(); opened != kExitOk) return opened;

  DeviceInfoBlock block;
  if (keyboard.commands().ReadDeviceInfo(block) != kDone) {
    PrintError("the keyboard did not answer");
    return kExitNoKeyboard;
  }
  if (parsed->json) {
    QJsonArray effects;
    for (std::uint8_t effect : block.effects()) {
      if (effect != 0) effects.append(effect);
    }
    PrintJson({{"firmware", block.firmware_version()},
               {"active_profile", block.active_profile()},
               {"macro_capacity", static_cast<qint64>(block.macro_capacity())},
               {"effects", effects}});
    return kExitOk;
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
