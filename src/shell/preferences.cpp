#include "shell/preferences.h"

#include <cstdio>
#include <system_error>

#include "platform/standard_folders.h"
#include "shell/skin_paths.h"

namespace talon {
namespace {

constexpr std::string_view kDwordPrefix = "dword:";

bool StartsWithDwordPrefix(std::string_view raw) {
  if (raw.size() < kDwordPrefix.size()) return false;
  for (std::size_t i = 0; i < kDwordPrefix.size(); ++i) {
    char c = raw[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kDwordPrefix[i]) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Preferences::Dword ParseDword(std::string_view raw) {
  const std::string_view digits = raw.substr(kDwordPrefix.size());
  if (digits.empty() || digits.size() > 8) return {Preferences::Status::kMalformed, 0};
  std::uint32_t value = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return {Preferences::Status::kMalformed, 0};
    value = (value << 4) | static_cast<std::uint32_t>(d);
  }
  return {Preferences::Status::kOk, value};
}

}  // namespace

std::filesystem::path Preferences::DefaultPath() {
  return UserConfigFolder() / kUserFolderName / "registry.ini";
}

std::string Preferences::ApplicationSection(std::string_view section) {
  return std::string(kApplicationKey) + "\\" + std::string(section);
}

Preferences::Preferences(std::filesystem::path file) : file_(std::move(file)) {}

Preferences::Dword Preferences::ReadDword(std::string_view key_path, std::string_view name) const {
  const auto raw = file_.FindRaw(key_path, name);
  if (!raw) return {Status::kMissing, 0};
  if (!StartsWithDwordPrefix(*raw)) return {Status::kWrongType, 0};
  return ParseDword(*raw);
}

Preferences::String Preferences::ReadString(std::string_view key_path,
                                            std::string_view name) const {
  auto raw = file_.FindRaw(key_path, name);
  if (!raw) return {Status::kMissing, {}};
  if (StartsWithDwordPrefix(*raw)) {
    return {ParseDword(*raw).status == Status::kOk ? Status::kWrongType : Status::kMalformed, {}};
  }
  // The raw value is trimmed; one pair of enclosing quotes is not part of the string.
  std::string value = std::move(*raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return {Status::kOk, std::move(value)};
}

bool Preferences::Write(std::string_view key_path, std::string_view name, std::string_view text,
                        IniDocument::Quoting quoting) {
  std::error_code ec;
  std::filesystem::create_directories(Path().parent_path(), ec);
  return file_.WriteString(key_path, name, text, quoting);
}

bool Preferences::WriteDword(std::string_view key_path, std::string_view name,
                             std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(value));
  return Write(key_path, name, text, IniDocument::Quoting::kWhenNeeded);
}

bool Preferences::WriteString(std::string_view key_path, std::string_view name,
                              std::string_view value) {
  const auto quoting = StartsWithDwordPrefix(value) ? IniDocument::Quoting::kAlways
                                                    : IniDocument::Quoting::kWhenNeeded;
  return Write(key_path, name, value, quoting);
}

std::string Preferences::GetProfileString(std::string_view section, std::string_view name,
                                          std::string_view fallback) const {
  String value = ReadString(ApplicationSection(section), name);
  return value.status == Status::kOk ? std::move(value.value) : std::string(fallback);
}

bool Preferences::WriteProfileString(std::string_view section, std::string_view name,
                                     std::string_view value) {
  return WriteString(ApplicationSection(section), name, value);
}

}  // namespace talon
