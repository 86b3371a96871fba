#pragma once
// The program's command line. "/Kill" and "/Start" are compared without regard to case (and
// taken in their Linux spelling, --kill and --start); anything else is ignored, as the program
// has always done, apart from --help and --version, which print and end.
#include <span>
#include <string>
#include <string_view>

namespace talon {

struct CommandLine {
  bool kill = false;         // end the running instance (and this one)
  bool quiet_start = false;  // start in the tray without opening the window
  bool help = false;
  bool version = false;
};

// `arguments` without the program name.
CommandLine ParseCommandLine(std::span<const std::string_view> arguments);

// The text --help prints.
std::string UsageText(std::string_view program_name);

}  // namespace talon
