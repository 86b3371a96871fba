#pragma once
// The file dialogs' filter strings and default extensions, as plain text operations.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace talon {

struct FileFilterEntry {
  std::string description;            // "(*.vxp)"
  std::vector<std::string> patterns;  // {"*.vxp"}
  bool operator==(const FileFilterEntry&) const = default;
};

// Splits "desc|pat;pat|desc|pat||". An entry without patterns is dropped; text after the
// closing "||" is ignored.
std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter);

// One entry in the form Qt's file dialogs read, "description (pattern pattern)". "*.*" means
// every file, as it does on the platform the filters were written for, and becomes "*". A
// description that already ends with its patterns in parentheses keeps them only once.
std::string QtFilterOf(const FileFilterEntry& entry);

// Appends "." + extension when the file name has no extension (and is not empty).
std::filesystem::path AddDefaultExtension(const std::filesystem::path& path,
                                          std::string_view extension);

}  // namespace talon
