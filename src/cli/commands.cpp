#include <array>

#include "cli/cli_command.h"

namespace talon::cli {

int RunInfo(std::span<const std::string> args);
int RunProfile(std::span<const std::string> args);
int RunLighting(std::span<const std::string> args);
int RunKeys(std::span<const std::string> args);
int RunKey(std::span<const std::string> args);
int RunMacroList(std::span<const std::string> args);
int RunMacroShow(std::span<const std::string> args);
int RunMacroAdd(std::span<const std::string> args);
int RunMacroReplace(std::span<const std::string> args);
int RunMacroDelete(std::span<const std::string> args);
int RunColours(std::span<const std::string> args);
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
      CliCommand{"keys", "[P]",
                 "the keyboard's reassigned keys and G keys of profile P (default: active)",
                 RunKeys},
      CliCommand{"key", "[P] KEY ACTION [--repeat N]",
                 "assign ACTION to KEY of profile P and send it to the keyboard", RunKey},
      CliCommand{"macro list", "", "the keyboard's macros", RunMacroList},
      CliCommand{"macro show", "ID|NAME", "one macro in its text form", RunMacroShow},
      CliCommand{"macro add", "NAME FILE|-", "a new macro from a text file (- standard input)",
                 RunMacroAdd},
      CliCommand{"macro replace", "ID|NAME FILE|-",
                 "a macro's actions and repeat count from a text file", RunMacroReplace},
      CliCommand{"macro delete", "ID|NAME [--force]",
                 "delete a macro; --force when keys use it (they return to default)",
                 RunMacroDelete},
      CliCommand{"colours", "P [MODE [CHANGE ...]]",
                 "show, paint or rename user colour mode MODE of profile P", RunColours},
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
