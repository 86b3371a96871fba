#pragma once
// One sub-command of talon7x-ctl. Each lives in a file of its own and is listed in commands.cpp.
#include <span>
#include <string>

namespace talon::cli {

// Exit codes shared by every sub-command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitNoKeyboard = 2;
inline constexpr int kExitNoLibrary = 3;
inline constexpr int kExitBadFile = 4;
inline constexpr int kExitRefused = 5;

struct CliCommand {
  const char* name;
  const char* usage;    // arguments after the name, e.g. "FILE"
  const char* summary;  // one line for the help text
  int (*run)(std::span<const std::string> args);
};

std::span<const CliCommand> Commands();

}  // namespace talon::cli
