// talon7x-ctl profile [N] [--json]: the active on-board profile, or switch it.
#include <cstdio>
#include <string>

#include "cli/cli_arguments.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "cli/keyboard_connection.h"

namespace talon::cli {

int RunProfile(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, option::kJson);
  if (!parsed || parsed->positional.size() > 1) return kExitUsage;
  std::optional<int> wanted;
  if (parsed->positional.size() == 1) {
    wanted = ParseProfileNumber(parsed->positional[0]);
    if (!wanted || parsed->json) {
      if (!wanted) PrintError("profile must be 0, 1 or 2");
      return kExitUsage;
    }
  }
  KeyboardConnection keyboard;
  if (const int opened = keyboard.Open(); opened != kExitOk) return opened;
  auto& commands = keyboard.commands();
  if (wanted) {
    commands.SetActiveProfile(*wanted);
    if (commands.GetActiveProfile() != *wanted) {
      PrintError("the keyboard did not switch to profile " + std::to_string(*wanted));
      return kExitRefused;
    }
    return kExitOk;
  }
  const int active = commands.GetActiveProfile();
  if (active < 0) {
    PrintError("the keyboard did not answer");
    return kExitNoKeyboard;
  }
  if (parsed->json) {
    PrintJson({{"active_profile", active}});
  } else {
    std::printf("%d\n", active);
  }
  return kExitOk;
}

}  // namespace talon::cli
