#include "model/user_colours.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace talon {

namespace {

constexpr const char* kPresentMode = "PRESENTMODE";
constexpr const char* kModeNames = "MODENAME";
constexpr const char* kMissingKeyEntry = "255,0,0,1";  // a key never painted: red, base colour

std::string ModeSection(int mode) {
  return "Mode" + std::to_string(mode);
}

// Up to `count` comma-separated decimal numbers; nullopt when fewer are there or one is not a
// number. Colour components are clamped to 0-255.
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

std::uint8_t Component(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// "r,g,b"; a malformed value reads as black, the file's own default for these keys.
Colour ParseColour(std::string_view text) {
  const auto n = ParseNumbers(text, 3);
  return n ? RgbColour(Component((*n)[0]), Component((*n)[1]), Component((*n)[2])) : 0;
}

struct KeyEntry {
  Colour colour;
  bool base;
};

// "r,g,b,flag"; a malformed value reads like a missing one: red, painted with the base colour.
KeyEntry ParseKeyEntry(std::string_view text) {
  auto n = ParseNumbers(text, 4);
  if (!n) n = ParseNumbers(kMissingKeyEntry, 4);
  return {RgbColour(Component((*n)[0]), Component((*n)[1]), Component((*n)[2])), (*n)[3] != 0};
}

std::string FormatColour(Colour c) {
  char text[32];
  std::snprintf(text, sizeof text, "%d,%d,%d", RedOf(c), GreenOf(c), BlueOf(c));
  return text;
}

std::string FormatKeyEntry(Colour c, bool base) {
  return FormatColour(c) + (base ? ",1" : ",0");
}

bool IsProfile(int profile) {
  return profile >= 0 && profile < kLightingProfiles;
}

}  // namespace

UserColourModes::UserColourModes(LightingModel& lighting, UserColourPort& port,
                                 std::filesystem::path user_folder,
                                 std::filesystem::path default_file)
    : lighting_(lighting),
      port_(port),
      user_folder_(std::move(user_folder)),
      default_file_(std::move(default_file)) {}

std::filesystem::path UserColourModes::FileOf(int profile) const {
  return user_folder_ / ("UserDengColor_" + std::to_string(profile) + ".userd");
}

const std::vector<int>& UserColourModes::Leds() {
  static const std::vector<int> leds = [] {
    std::vector<int> all;
    for (std::size_t b = 0; b < kKeyButtonCount; ++b) {
      const int led = LedIndexOfKey(KeyOfButton(b));
      if (HasColourSlot(led)) all.push_back(led);
    }
    for (unsigned g = 1; g <= 5; ++g) all.push_back(LedIndexOfGKey(g));
    all.push_back(kFnLed);
    return all;
  }();
  return leds;
}

bool UserColourModes::base_flag(int profile, int led) const {
  if (!IsProfile(profile) || !HasColourSlot(led)) return false;
  return base_flags_[static_cast<std::size_t>(profile)][static_cast<std::size_t>(led)];
}

void UserColourModes::LoadUserMode(int profile) {
  if (!IsProfile(profile)) return;
  IniDocument file;
  file.Load(FileOf(profile));
  const int mode = std::clamp(file.GetInt(kPresentMode, "mode", 0), 0, kUserModes - 1);
  lighting_.set_user_mode_index(mode);
  const std::string section = ModeSection(mode);
  tool_ = file.GetInt(section, "tool", 0) != 0 ? 1 : 0;
  base_colour_ = ParseColour(file.GetString(section, "jcolor", "0,0,0"));
  paint_colour_ = ParseColour(file.GetString(section, "color", "0,0,0"));
  auto& flags = base_flags_[static_cast<std::size_t>(profile)];
  for (int led : Leds()) {
    const KeyEntry entry =
        ParseKeyEntry(file.GetString(section, std::to_string(led), kMissingKeyEntry));
    lighting_.key_colours().Set(profile, led, entry.colour);
    flags[static_cast<std::size_t>(led)] = entry.base;
  }
  WriteKeyColours(lighting_.commands(), mode, lighting_.key_colours().Profile(profile));
}

void UserColourModes::SelectUserMode(int mode) {
  mode = std::clamp(mode, 0, kUserModes - 1);
  const int profile = lighting_.current_profile();
  lighting_.SetUserMode(mode);
  WriteIniString(FileOf(profile), kPresentMode, "mode", std::to_string(mode));
  LoadUserMode(profile);
  ShowMode();
  if (lighting_.lighting_mode()) port_.ShowKeyColours(profile);
}

void UserColourModes::RenameUserMode(const std::string& name) {
  const int m = mode();
  port_.SetModeName(m, name);
  WriteIniString(FileOf(lighting_.current_profile()), kModeNames, std::to_string(m), name);
}

void UserColourModes::FillUserModeNames(int profile) {
  IniDocument file;
  file.Load(FileOf(profile));
  std::array<std::string, kUserModes> names;
  for (int m = 0; m < kUserModes; ++m) {
    names[static_cast<std::size_t>(m)] = file.GetString(kModeNames, std::to_string(m), "0");
  }
  port_.SetModeNames(names);
  LoadUserMode(profile);
}

void UserColourModes::PaintLed(int led) {
  if (lighting_.state().effect != kUserColourEffect) return;
  if (std::find(Leds().begin(), Leds().end(), led) == Leds().end()) return;
  const int profile = lighting_.current_profile();
  const bool base = tool_ == 1;
  const Colour colour = base ? base_colour_ : paint_colour_;
  port_.TintKey(led, colour);
  WriteKeyColourOne(lighting_.commands(), mode(), led, colour);
  lighting_.key_colours().Set(profile, led, colour);
  base_flags_[static_cast<std::size_t>(profile)][static_cast<std::size_t>(led)] = base;
  WriteIniString(FileOf(profile), ModeSection(mode()), std::to_string(led),
                 FormatKeyEntry(colour, base));
}

void UserColourModes::WriteToolAndColours(int profile) {
  const std::filesystem::path path = FileOf(profile);
  IniDocument file;
  if (file.Load(path) == IniDocument::LoadResult::kUnreadable) return;  // keep what it holds
  const std::string section = ModeSection(mode());
  file.SetString(section, "tool", std::to_string(tool_));
  file.SetString(section, "jcolor", FormatColour(base_colour_));
  file.SetString(section, "color", FormatColour(paint_colour_));
  file.Save(path);
}

void UserColourModes::SetPaintColour(Colour colour) {
  paint_colour_ = colour;
  WriteToolAndColours(lighting_.current_profile());
}

void UserColourModes::SetBaseColour(Colour colour) {
  if (colour == base_colour_) return;
  base_colour_ = colour;
  const int profile = lighting_.current_profile();
  WriteToolAndColours(profile);

  const std::filesystem::path path = FileOf(profile);
  IniDocument file;
  const bool readable = file.Load(path) != IniDocument::LoadResult::kUnreadable;
  const std::string section = ModeSection(mode());
  for (int led : Leds()) {
    if (!base_flag(profile, led)) continue;
    port_.TintKey(led, colour);
    lighting_.key_colours().Set(profile, led, colour);
    file.SetString(section, std::to_string(led), FormatKeyEntry(colour, true));
  }
  if (readable) file.Save(path);
  WriteKeyColours(lighting_.commands(), mode(), lighting_.key_colours().Profile(profile));
}

void UserColourModes::SetTool(int tool) {
  tool_ = tool != 0 ? 1 : 0;
  ShowMode();
  WriteToolAndColours(lighting_.current_profile());
}

void UserColourModes::RecomputeBaseFlags() {
  for (int profile = 0; profile < kLightingProfiles; ++profile) {
    for (int led : Leds()) {
      base_flags_[static_cast<std::size_t>(profile)][static_cast<std::size_t>(led)] =
          lighting_.key_colours().Get(profile, led) == base_colour_;
    }
  }
}

bool UserColourModes::RestoreDefaultFile() {
  std::string bytes;
  if (ReadWholeFile(default_file_, bytes) != ReadFileResult::kRead) return false;
  const int profile = lighting_.current_profile();
  if (!WriteFileAtomically(FileOf(profile), bytes)) return false;
  FillUserModeNames(profile);
  return true;
}

void UserColourModes::ShowMode() {
  port_.ShowMode(mode(), paint_colour_, base_colour_, tool_);
}

}  // namespace talon
