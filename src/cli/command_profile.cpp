// talon7x-ctl profile [N]: the active on-board profile, or switch it.
#include <charconv>
#include <cstdio>
#include <string>

#include "cli/cli_command.h"
#include "cli/keyboard_connection.h"

namespace talon::cli {

namespace {

constexpr int kProfiles = 3;

}  // namespace

int RunProfile(std::span<const std::string> args) {
  if (args.size() > 1) return kExitUsage;
  int wanted = -1;
  if (args.size() == 1) {
    const std::string& text = args[0];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), wanted);
    if (error != std::errc() || end != text.data() + text.size() || wanted < 0 ||
        wanted >= kProfiles) {
      PrintError("profile must be 0, 1 or 2");
      return kExitUsage;
    }
  }
  KeyboardConnection keyboard;
  if (const int opened = keyboard.Open(); opened != kExitOk) return opened;
  auto& commands = keyboard.commands();
  if (wanted >= 0) {
    commands.SetActiveProfile(wanted);
    if (commands.GetActiveProfile() != wanted) {
      PrintError("the keyboard did not switch to profile " + std::to_string(wanted));
      return kExitRefused;
    }
    return kExitOk;
  }
  const int active = commands.GetActiveProfile();
  if (active < 0) {
    PrintError("the keyboard did not answer");
    return kExitNoKeyboard;
  }
  std::printf("%d\n", active);
  return kExitOk;
}

}  // namespace talon::cli
