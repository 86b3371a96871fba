// talon7x: the TALON7X-DUO configurator.
#include <QApplication>

#include <cstdio>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "shell/command_line.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const talon::CommandLine line = talon::ParseCommandLine(arguments);
  if (line.help) {
    std::fputs(talon::UsageText("talon7x").c_str(), stdout);
    return 0;
  }
  if (line.version) {
    std::printf("talon7x %s\n", TALON7X_VERSION);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("talon7x");
  QApplication::setApplicationDisplayName("TALON7X-DUO");
  QApplication::setDesktopFileName("talon7x");
  return talon::RunProgram(line);
}
