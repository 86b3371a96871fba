// talon7x-ctl: the configurator's command-line tool, over the same core as the program.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_command.h"

namespace {

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: talon7x-ctl COMMAND [ARGS]\n\ncommands:\n");
  for (const auto& command : talon::cli::Commands()) {
    const std::string line =
        std::string(command.name) + (*command.usage ? " " : "") + command.usage;
    std::fprintf(out, "  %-28s %s\n", line.c_str(), command.summary);
  }
  std::fprintf(out,
               "\nexit codes: 0 done, 1 usage, 2 no keyboard, 3 service library not loadable,\n"
               "            4 bad profile file, 5 refused by the keyboard\n");
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
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& command : Commands()) {
    if (name != command.name) continue;
    const int result = command.run(args);
    if (result == kExitUsage) {
      std::fprintf(stderr, "usage: talon7x-ctl %s %s\n", command.name, command.usage);
    }
    return result;
  }
  std::fprintf(stderr, "talon7x-ctl: unknown command '%s'\n\n", argv[1]);
  PrintUsage(stderr);
  return kExitUsage;
}
