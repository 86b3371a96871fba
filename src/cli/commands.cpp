#include <array>

#include "cli/cli_command.h"

namespace talon::cli {

int RunInfo(std::span<const std::string> args);

std::span<const CliCommand> Commands() {
  static constexpr std::array kCommands{
      CliCommand{"info", "", "firmware, active profile, macro capacity, lighting effects", RunInfo},
  };
  return kCommands;
}

}  // namespace talon::cli
