#pragma once
// Reading the keyboard's key banks and macro area into a profile file, and refilling the store
// from the keyboard.
#include <filesystem>
#include <optional>
#include <string>

#include "model/model_context.h"
#include "model/profile_file.h"

namespace talon {

// Reads the four key banks and the macro area (these reads are not bracketed) and gives them as
// the bytes of a profile file (without string pool: a keyboard holds no launch strings). Nothing
// when there is no keyboard or a read fails.
std::optional<std::string> CaptureKeyboard(KeyboardCommands& commands,
                                           const DefaultKeyMap& default_key_map,
                                           const TextLookup& texts);

// CaptureKeyboard written to a profile file; the store is not touched. Returns 1, or 0 when
// there is no keyboard, a read fails (the file is then left as it was) or the file cannot be
// written.
int CaptureKeyboardToFile(KeyboardCommands& commands, const DefaultKeyMap& default_key_map,
                          const TextLookup& texts, const std::filesystem::path& path);

// Captures the keyboard into the working file and loads it into the store; without a keyboard
// (or when the capture or load fails) the store becomes a fresh key block with no macros. The
// key buttons are redrawn, and Apply is disabled unless `keep_apply`. Returns 1.
int ReloadFromKeyboard(const ModelContext& context, const ProfilePaths& paths, bool keep_apply);

}  // namespace talon
