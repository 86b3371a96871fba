// Where the program and the user's files are, in place of the Windows shell folders.
#pragma once

#include <filesystem>

namespace talon {

// The running executable (/proc/self/exe); empty when it cannot be read.
std::filesystem::path ProgramFilePath();

// The folder every data file beside the program is read from: $TALON7X_PROGRAM_DIR when set
// (tests point it at the build folder), else the executable's folder.
std::filesystem::path ProgramFolder();

// The user's home folder: $HOME, else the password database entry.
std::filesystem::path HomeFolder();

// Replaces the local application-data folder: $XDG_DATA_HOME when it is an absolute path, else
// ~/.local/share.
std::filesystem::path LocalAppDataFolder();

// Replaces the registry's home: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::filesystem::path UserConfigFolder();

// The user's private runtime folder for locks and sockets: $XDG_RUNTIME_DIR when it is an
// absolute path, else /tmp/talon7x-<uid>, made with mode 0700 when missing. Empty when the
// fallback exists but is not a folder of ours that only we can enter (someone else's, or a link).
std::filesystem::path UserRuntimeFolder();

}  // namespace talon
