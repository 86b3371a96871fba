// talon7x-ctl: the configurator's command-line tool, over the same core as the program.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_command.h"

namespace {

// Everything after the command lines: the words the arguments are made of, the JSON fields and
// the exit codes.
constexpr const char* kReference =
    "\n"
    "KEY     a key's English name or identifier, case and spaces ignored (Caps Lock, capslock,\n"
    "        CAPS), or G1-G9\n"
    "ACTION  default | disabled | stop-macro | key:NAME | mouse:left|right|middle|wheel-up|\n"
    "        wheel-down | media:NAME|0-17 | function:NAME|0-10 | macro:ID|NAME\n"
    "        (--repeat N, 1-255: how often the macro plays)\n"
    "CHANGE  KEY=#rrggbb (paint a key) | KEY=base (paint it with the base colour) |\n"
    "        base=#rrggbb (new base colour) | name=TEXT (rename the mode)\n"
    "macro text: one line each, 'press KEY PAUSE' or 'release KEY PAUSE' (pause in ms, 0-40000,\n"
    "        kept in steps of 10), 'repeat N' (1-255, default 1); '#' starts a comment\n"
    "\n"
    "--json: one JSON document on standard output instead of lines, with these fields:\n"
    "  info          firmware, active_profile, macro_capacity, effects[]\n"
    "  profile       active_profile\n"
    "  lighting      profile, effect, effect_name, brightness, speed, direction, colourful,\n"
    "                colour, report_rate, user_mode\n"
    "  keys          profile, keys[{profile, key, slot, type, value, extra, text, string}]\n"
    "  show          keys[as keys], macros[as macro show]\n"
    "  macro list    macros[{id, name, repeat, action_count}]\n"
    "  macro show    id, name, repeat, actions[{state, key, key_id, pause}]\n"
    "  colours       profile, mode, name, selected, tool, base, paint,\n"
    "                keys[{key, led, colour, base}]\n"
    "\n"
    "exit codes: 0 done, 1 usage or a value out of range (nothing is written then),\n"
    "            2 no keyboard, 3 service library not loadable, 4 a file that cannot be read or\n"
    "            written or is malformed, 5 refused (by the keyboard, or it has no room)\n";

std::string CommandLine(const talon::cli::CliCommand& command) {
  return std::string(command.name) + (*command.usage ? " " : "") + command.usage;
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: talon7x-ctl COMMAND [ARGS]\n\ncommands:\n");
  std::size_t width = 0;
  for (const auto& command : talon::cli::Commands()) {
    width = std::max(width, CommandLine(command).size());
  }
  for (const auto& command : talon::cli::Commands()) {
    std::fprintf(out, "  %-*s  %s\n", static_cast<int>(width), CommandLine(command).c_str(),
                 command.summary);
  }
  std::fputs(kReference, out);
}

// The command named by the first one or two words of the arguments ("info", "macro add").
const talon::cli::CliCommand* Find(const std::vector<std::string>& words, std::size_t& used) {
  for (const auto& command : talon::cli::Commands()) {
    const std::string_view name = command.name;
    if (words.size() >= 2 && name == words[0] + " " + words[1]) {
      used = 2;
      return &command;
    }
    if (!words.empty() && name == words[0]) {
      used = 1;
      return &command;
    }
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace talon::cli;
  if (argc < 2) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  const std::string_view name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    PrintUsage(stdout);
    return kExitOk;
  }
  const std::vector<std::string> words(argv + 1, argv + argc);
  std::size_t used = 0;
  const CliCommand* command = Find(words, used);
  if (command == nullptr) {
    // "macro" alone, or with a word it does not know: its own commands are the useful list.
    const std::string group = words[0] + " ";
    bool grouped = false;
    for (const auto& c : Commands()) {
      if (!std::string_view(c.name).starts_with(group)) continue;
      if (!grouped) std::fprintf(stderr, "usage:\n");
      grouped = true;
      std::fprintf(stderr, "  talon7x-ctl %s\n", CommandLine(c).c_str());
    }
    if (grouped) return kExitUsage;
    std::fprintf(stderr, "talon7x-ctl: unknown command '%s'\n\n", argv[1]);
    PrintUsage(stderr);
    return kExitUsage;
  }
  const std::vector<std::string> args(words.begin() + static_cast<std::ptrdiff_t>(used),
                                      words.end());
  const int result = command->run(args);
  if (result == kExitUsage) {
    std::fprintf(stderr, "usage: talon7x-ctl %s\n", CommandLine(*command).c_str());
  }
  return result;
}
