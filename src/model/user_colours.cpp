#include "model/user_colours.h"

#include <algorithm>

#include "model/user_colour_file.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace talon {

namespace {

constexpr const char* kPresentMode = "PRESENTMODE";
constexpr const char* kModeNames = "MODENAME";

std::string ModeSection(int mode) {
  return "Mode" + std::to_string(mode);
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
  const std::filesystem::path file = FileOf(profile);
  const int mode = SelectedUserMode(file);
  lighting_.set_user_mode_index(mode);
  const UserColourMode stored = ReadUserColourMode(file, mode);
  tool_ = stored.tool;
  base_colour_ = stored.base;
  paint_colour_ = stored.paint;
  auto& flags = base_flags_[static_cast<std::size_t>(profile)];
  for (int led : Leds()) {
    const UserColourEntry& entry = stored.keys[static_cast<std::size_t>(led)];
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
  RenameUserColourMode(FileOf(lighting_.current_profile()), m, name);
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
  const std::pair<int, UserColourEntry> painted{led, {colour, base}};
  PaintUserColourKeys(FileOf(profile), mode(), {&painted, 1});
}

void UserColourModes::WriteToolAndColours(int profile) {
  const std::filesystem::path path = FileOf(profile);
  IniDocument file;
  if (file.Load(path) == IniDocument::LoadResult::kUnreadable) return;  // keep what it holds
  const std::string section = ModeSection(mode());
  file.SetString(section, "tool", std::to_string(tool_));
  file.SetString(section, "jcolor", FormatUserColour(base_colour_));
  file.SetString(section, "color", FormatUserColour(paint_colour_));
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
    file.SetString(section, std::to_string(led), FormatUserColourEntry({colour, true}));
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
