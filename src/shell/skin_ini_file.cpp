#include "shell/skin_ini_file.h"

#include <utility>

#include "platform/ini_file.h"

namespace talon {

std::string CutToChars(std::string text, std::size_t max_chars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool starts_char = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts_char && chars++ == max_chars) {
      text.resize(i);
      break;
    }
  }
  return text;
}

CIniFile::CIniFile() = default;

CIniFile::CIniFile(std::filesystem::path path) {
  SetPath(std::move(path));
}

CIniFile::~CIniFile() = default;

void CIniFile::SetPath(std::filesystem::path path) {
  file_ = std::make_unique<IniFile>(std::move(path));
}

std::filesystem::path CIniFile::Path() const {
  return file_ ? file_->Path() : std::filesystem::path();
}

std::optional<std::string> CIniFile::Get(std::string_view section, std::string_view key,
                                         std::string_view fallback) const {
  std::string value = file_ ? file_->GetString(section, key, fallback) : std::string(fallback);
  if (value.empty()) return std::nullopt;
  return CutToChars(std::move(value), kMaxValueChars);
}

bool CIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  return file_ && file_->WriteString(section, key, value);
}

ButtonInfo CIniFile::GetButtonInfo(std::string_view key, std::string_view section) const {
  if (!file_) return kDefaultButtonInfo;
  const auto value = file_->Find(section, key);
  return ButtonInfoFromValue(value ? std::optional<std::string_view>(*value) : std::nullopt);
}

}  // namespace talon
