// CIniFile: the accessor through which a skinned dialog reads (and writes) its skin file.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "shell/button_info.h"

namespace talon {

class IniFile;

class CIniFile {
 public:
  // Values are cut to this many characters.
  static constexpr std::size_t kMaxValueChars = 2047;

  CIniFile();
  explicit CIniFile(std::filesystem::path path);
  virtual ~CIniFile();
  CIniFile(const CIniFile&) = delete;
  CIniFile& operator=(const CIniFile&) = delete;

  void SetPath(std::filesystem::path path);
  std::filesystem::path Path() const;

  // The value (or `fallback` when the key is missing), cut to kMaxValueChars characters;
  // nullopt when that text is empty. The parsed file is kept and re-read only when it changes,
  // so a dialog may ask for hundreds of keys.
  std::optional<std::string> Get(std::string_view section, std::string_view key,
                                 std::string_view fallback = {}) const;
  bool Write(std::string_view section, std::string_view key, std::string_view value);

  // A control's rectangle from `section` (normally "BUTTONINFO"); see ButtonInfoFromValue.
  ButtonInfo GetButtonInfo(std::string_view key, std::string_view section = "BUTTONINFO") const;

 private:
  std::unique_ptr<IniFile> file_;
};

// Cuts UTF-8 text to at most `max_chars` characters without splitting a character.
std::string CutToChars(std::string text, std::size_t max_chars);

}  // namespace talon
