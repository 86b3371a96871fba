#pragma once
// The configurator's run from start to end: one instance per user, the keyboard maker's
// background helper, the program's paths, settings, texts and keyboard model, and the main
// window under the application's event loop until the window's exit sequence ends it.
#include "shell/command_line.h"

namespace talon {

// Exit codes besides 0.
inline constexpr int kExitNoAnswer = 1;     // another instance holds the lock but does not answer
inline constexpr int kExitNoLibrary = 3;    // the keyboard service library cannot be used
inline constexpr int kExitMissingFile = 4;  // a skin picture the window needs is missing

// Runs the program; QApplication must exist. Returns the process's exit code.
int RunProgram(const CommandLine& line);

}  // namespace talon
