#include <array>

#include "cli/cli_command.h"

namespace talon::cli {

int RunInfo(std::span<const std::string> args);
int RunProfile(std::span<const std::string> args);
int RunLighting(std::span<const std::string> args);
int RunExport(std::span<const std::string> args);
int RunImport(std::span<const std::string> args);
int RunShow(std::span<const std::string> args);
int RunAuto(std::span<const std::string> args);

std::span<const CliCommand> Commands() {
  static constexpr std::array kCommands{
      CliCommand{"info", "", "firmware, active profile, macro capacity, lighting effects", RunInfo},
      CliCommand{"profile", "[N]", "show the active on-board profile, or switch to N (0-2)",
                 RunProfile},
      CliCommand{"lighting", "[P] [key=value ... | default]",
                 "show or change profile P's lighting (default: the active one)", RunLighting},
      CliCommand{"export", "FILE", "save the keyboard's key maps and macros to a profile file",
                 RunExport},
      CliCommand{"import", "FILE", "load a profile file and send it to the keyboard", RunImport},
      CliCommand{"show", "FILE", "a profile file's key assignments and macros in plain words",
                 RunShow},
      CliCommand{"auto", "[list | add MATCH PROFILE | remove MATCH | fallback P|none | on | off]",
                 "rules for switching profiles with the program in front", RunAuto},
  };
  return kCommands;
}

}  // namespace talon::cli
