#include "model/user_colour_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "model/user_colours.h"
#include "platform/ini_file.h"

namespace talon {

namespace {

constexpr const char* kPresentMode = "PRESENTMODE";
constexpr const char* kModeNames = "MODENAME";
constexpr const char* kMissingKeyEntry = "255,0,0,1";  // a key never painted: red, base colour

std::string ModeSection(int mode) {
  return "Mode" + std::to_string(mode);
}

int ClampMode(int mode) {
  return std::clamp(mode, 0, kUserModes - 1);
}

// Up to `count` comma-separated decimal numbers; nullopt when fewer are there or one is not a
// number.
std::optional<std::vector<int>> ParseNumbers(std::string_view text, std::size_t count) {
  std::vector<int> numbers;
  std::size_t pos = 0;
  while (numbers.size() < count) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (error != std::errc()) return std::nullopt;
    numbers.push_back(value);
    pos = static_cast<std::size_t>(end - text.data());
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (numbers.size() < count) {
      if (pos >= text.size() || text[pos] != ',') return std::nullopt;
      ++pos;
    }
  }
  return numbers;
}

// Colour components are clamped to 0-255.
Colour ColourOf(int red, int green, int blue) {
  const auto component = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
  return RgbColour(component(red), component(green), component(blue));
}

bool TakesPart(int led) {
  const auto& leds = UserColourModes::Leds();
  return std::find(leds.begin(), leds.end(), led) != leds.end();
}

// Loads the file for a change; false when it exists but cannot be read, so that what it holds
// is never replaced by a document holding only the change.
bool LoadForChange(const std::filesystem::path& file, IniDocument& document) {
  return document.Load(file) != IniDocument::LoadResult::kUnreadable;
}

}  // namespace

Colour ParseUserColour(std::string_view text) {
  const auto n = ParseNumbers(text, 3);
  return n ? ColourOf((*n)[0], (*n)[1], (*n)[2]) : 0;
}

std::string FormatUserColour(Colour colour) {
  char text[32];
  std::snprintf(text, sizeof text, "%d,%d,%d", RedOf(colour), GreenOf(colour), BlueOf(colour));
  return text;
}

UserColourEntry ParseUserColourEntry(std::string_view text) {
  auto n = ParseNumbers(text, 4);
  if (!n) n = ParseNumbers(kMissingKeyEntry, 4);
  return {ColourOf((*n)[0], (*n)[1], (*n)[2]), (*n)[3] != 0};
}

std::string FormatUserColourEntry(const UserColourEntry& entry) {
  return FormatUserColour(entry.colour) + (entry.base ? ",1" : ",0");
}

int SelectedUserMode(const std::filesystem::path& file) {
  IniDocument document;
  document.Load(file);
  return ClampMode(document.GetInt(kPresentMode, "mode", 0));
}

UserColourMode ReadUserColourMode(const std::filesystem::path& file, int mode) {
  mode = ClampMode(mode);
  IniDocument document;
  document.Load(file);
  const std::string section = ModeSection(mode);
  UserColourMode result;
  result.name = document.GetString(kModeNames, std::to_string(mode), "0");
  result.tool = document.GetInt(section, "tool", 0) != 0 ? 1 : 0;
  result.base = ParseUserColour(document.GetString(section, "jcolor", "0,0,0"));
  result.paint = ParseUserColour(document.GetString(section, "color", "0,0,0"));
  for (int led : UserColourModes::Leds()) {
    result.keys[static_cast<std::size_t>(led)] =
        ParseUserColourEntry(document.GetString(section, std::to_string(led), kMissingKeyEntry));
  }
  return result;
}

bool PaintUserColourKeys(const std::filesystem::path& file, int mode,
                         std::span<const std::pair<int, UserColourEntry>> keys) {
  IniDocument document;
  if (!LoadForChange(file, document)) return false;
  const std::string section = ModeSection(ClampMode(mode));
  for (const auto& [led, entry] : keys) {
    if (TakesPart(led))
      document.SetString(section, std::to_string(led), FormatUserColourEntry(entry));
  }
  return document.Save(file);
}

bool ChangeUserColourBase(const std::filesystem::path& file, int mode, Colour base) {
  mode = ClampMode(mode);
  const UserColourMode current = ReadUserColourMode(file, mode);
  if (current.base == base) return true;
  IniDocument document;
  if (!LoadForChange(file, document)) return false;
  const std::string section = ModeSection(mode);
  document.SetString(section, "tool", std::to_string(current.tool));
  document.SetString(section, "jcolor", FormatUserColour(base));
  document.SetString(section, "color", FormatUserColour(current.paint));
  for (int led : UserColourModes::Leds()) {
    if (!current.keys[static_cast<std::size_t>(led)].base) continue;
    document.SetString(section, std::to_string(led), FormatUserColourEntry({base, true}));
  }
  return document.Save(file);
}

bool RenameUserColourMode(const std::filesystem::path& file, int mode, std::string_view name) {
  IniDocument document;
  if (!LoadForChange(file, document)) return false;
  if (!document.SetString(kModeNames, std::to_string(ClampMode(mode)), name)) return false;
  return document.Save(file);
}

}  // namespace talon
