#include "shell/language.h"

#include "platform/ini_file.h"
#include "shell/language_id.h"
#include "shell/skin_ini_file.h"

namespace talon {
namespace {

int ValidIndex(int index) {
  return index >= 0 && index < static_cast<int>(kSupportedLanguageIds.size()) ? index : 0;
}

}  // namespace

Language::Language(const SkinPaths& paths, Preferences& preferences) : preferences_(&preferences) {
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    paths_[i] = paths.LanguageFile(kSupportedLanguageIds[i]);
  }
}

Language::~Language() = default;

int Language::Index() const {
  return GetLanguageIndex(*preferences_);
}

std::filesystem::path Language::FileOf(int index) const {
  return paths_[ValidIndex(index)];
}

std::string Language::Load(std::string_view section, std::string_view key, int index) const {
  const int i = ValidIndex(index);
  IniFile* file = nullptr;
  {
    const std::lock_guard lock(mutex_);
    if (!files_[i]) files_[i] = std::make_unique<IniFile>(paths_[i]);
    file = files_[i].get();  // lives as long as this object; IniFile locks itself
  }
  return CutToChars(file->GetString(section, key, kMissingText), kMaxTextChars);
}

std::string Language::LoadText(std::string_view key, int index) const {
  return Load("TEXT", key, index);
}

std::string Language::LoadLightText(std::string_view key, int index) const {
  return Load("LIGHT", key, index);
}

std::string Language::LoadModeText(std::string_view key, int index) const {
  return Load("MODE", key, index);
}

std::string Language::Text(std::string_view key) const {
  return LoadText(key, Index());
}

std::string Language::LightText(std::string_view key) const {
  return LoadLightText(key, Index());
}

std::string Language::ModeText(int effect) const {
  return LoadModeText(std::to_string(effect), Index());
}

}  // namespace talon
