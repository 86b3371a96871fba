#include "shell/command_line.h"

#include <algorithm>
#include <cctype>

namespace talon {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> arguments) {
  CommandLine line;
  for (std::string_view a : arguments) {
    if (EqualsIgnoringCase(a, "/Kill") || EqualsIgnoringCase(a, "--kill")) {
      line.kill = true;
    } else if (EqualsIgnoringCase(a, "/Start") || EqualsIgnoringCase(a, "--start")) {
      line.quiet_start = true;
    } else if (a == "--help" || a == "-h") {
      line.help = true;
    } else if (a == "--version") {
      line.version = true;
    }
  }
  return line;
}

std::string UsageText(std::string_view program_name) {
  std::string text = "Usage: ";
  text += program_name;
  text += R"( [/Start] [/Kill]
The configurator of the TALON7X-DUO keyboard. It lives in the notification area; one instance
runs per user, and starting it again opens the running one's window.

  /Start, --start   start in the notification area without opening the window
  /Kill, --kill     end the running instance (and this start); with none running, start
  --help            print this text
  --version         print the version

Exit codes: 0 done (also after handing over to the running instance), 1 the running
instance did not answer, 3 the keyboard service library cannot be loaded, 4 a file the
program needs beside itself (skin picture) is missing or unreadable.
)";
  return text;
}

}  // namespace talon
