#pragma once
// The files the crash suite kills writers of, each written by the program's own writer: the
// working profile file, a user colour-mode file, registry.ini and wskb.ini. Version n of a file
// is what the writer makes of it for the number n, so a file can be told to be whole (exactly
// the bytes of some version) or not.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace talon::test {

enum class CrashTarget { kWorkingProfile, kUserColours, kRegistry, kUserSettings };

std::optional<CrashTarget> CrashTargetNamed(std::string_view name);
std::string_view NameOf(CrashTarget target);
// The name the program gives the file.
std::string_view FileNameOf(CrashTarget target);

// Writes version `n` over the file as the program does: a profile file whole, an INI file one
// key at a time (the file must then hold an earlier version already).
bool WriteVersion(CrashTarget target, const std::filesystem::path& path, std::uint64_t n);

// The version the file holds, when it holds one whole: exactly the bytes the writer makes of
// `first` (the file's first content) for that number. `scratch` is a file the check rebuilds
// that version in.
std::optional<std::uint64_t> WholeVersionOf(CrashTarget target, const std::filesystem::path& path,
                                            const std::filesystem::path& scratch,
                                            std::string_view first);

}  // namespace talon::test
