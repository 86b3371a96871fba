// Preferences: the program's registry, kept in one INI file.
//
// $XDG_CONFIG_HOME/TALON7X-DUO/registry.ini holds one section per registry key path, e.g.
//   [Software\TALON7X-DUO]
//   dwLanguageId=dword:0000040c
//   [Software\Vexmo_Quarlen\Orvane TALON7X-DUO Mechanical Keyboard\PROFILES]
//   Flip=0
// 32-bit numbers are written "dword:" + eight hexadecimal digits; anything else is a string.
// A string that itself starts with "dword:" is written in quotes, so the two never mix up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace talon {

class Preferences {
 public:
  // The key that start-up opens (the language id lives here).
  static constexpr std::string_view kProgramKey = "Software\\TALON7X-DUO";
  // The application's own key; its sections ("PROFILES") are subkeys of it.
  static constexpr std::string_view kApplicationKey =
      "Software\\Vexmo_Quarlen\\Orvane TALON7X-DUO Mechanical Keyboard";

  static std::filesystem::path DefaultPath();
  static std::string ApplicationSection(std::string_view section);

  explicit Preferences(std::filesystem::path file = DefaultPath());
  const std::filesystem::path& Path() const { return file_.Path(); }

  enum class Status {
    kOk,
    kMissing,
    kWrongType,  // a string where a number was asked for, or the other way round
    kMalformed,  // "dword:" followed by something other than one to eight hexadecimal digits
  };
  struct Dword {
    Status status = Status::kMissing;
    std::uint32_t value = 0;
  };
  struct String {
    Status status = Status::kMissing;
    std::string value;
  };

  Dword ReadDword(std::string_view key_path, std::string_view name) const;
  String ReadString(std::string_view key_path, std::string_view name) const;
  // Writes create the folder and file when needed; false when the value could not be stored
  // (an unusable name, or the file could not be written).
  bool WriteDword(std::string_view key_path, std::string_view name, std::uint32_t value);
  bool WriteString(std::string_view key_path, std::string_view name, std::string_view value);

  // The application's own section, as the application profile functions see it: a string
  // value, or `fallback` when it is missing or not a string.
  std::string GetProfileString(std::string_view section, std::string_view name,
                               std::string_view fallback) const;
  bool WriteProfileString(std::string_view section, std::string_view name, std::string_view value);

 private:
  bool Write(std::string_view key_path, std::string_view name, std::string_view text,
             IniDocument::Quoting quoting);

  IniFile file_;
};

}  // namespace talon
