// The program's texts: sections "TEXT", "LIGHT" and "MODE" of the language file
// Lang%04X.ini beside the program.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/text_lookup.h"
#include "shell/preferences.h"
#include "shell/skin_paths.h"

namespace talon {

class IniFile;

inline constexpr std::string_view kMissingText = "#Error";

class Language final : public TextLookup {
 public:
  // Texts are cut to this many characters.
  static constexpr std::size_t kMaxTextChars = 259;

  // Reads the language files named by `paths`; the language id comes from `preferences`, which
  // must outlive this object.
  Language(const SkinPaths& paths, Preferences& preferences);
  ~Language() override;
  Language(const Language&) = delete;
  Language& operator=(const Language&) = delete;

  // GetLanguageIndex, asked again at every lookup so a changed preference takes effect at once.
  int Index() const;

  // The text of `key` in the file of the language with `index` (0-3; anything else counts as
  // 0). A missing file or key gives "#Error"; an empty value gives an empty text.
  std::string LoadText(std::string_view key, int index) const;
  std::string LoadLightText(std::string_view key, int index) const;
  std::string LoadModeText(std::string_view key, int index) const;

  // The same in the current language.
  std::string Text(std::string_view key) const override;
  std::string LightText(std::string_view key) const;
  // The display name of lighting effect `effect` (its number in decimal is the key).
  std::string ModeText(int effect) const;

  std::filesystem::path FileOf(int index) const;

 private:
  std::string Load(std::string_view section, std::string_view key, int index) const;

  std::array<std::filesystem::path, 4> paths_;
  Preferences* preferences_;
  mutable std::mutex mutex_;
  mutable std::array<std::unique_ptr<IniFile>, 4> files_;  // opened on first use
};

}  // namespace talon
