// talon7x-ctl lighting [P] [key=value ... | default]: show or change a profile's lighting,
// through the same writes as the lighting panel (one exchange per change).
#include <charconv>
#include <cstdio>
#include <string>

#include "cli/cli_command.h"
#include "cli/keyboard_connection.h"
#include "cli/lighting_arguments.h"
#include "device/result_codes.h"
#include "model/lighting.h"
#include "platform/ini_file.h"
#include "shell/skin_paths.h"

namespace talon::cli {

namespace {

class NoLightingWidgets : public LightingPort {
 public:
  void EffectListCleared() override {}
  void ReloadUserColourModes(int) override {}
};

std::string EffectName(const SkinPaths& paths, int effect) {
  return ReadIniString(paths.LanguageFile(0x0409), "MODE", std::to_string(effect), "");
}

std::string Direction(std::uint8_t value) {
  if (value == kDirectionLeft) return "left";
  if (value == kDirectionRight) return "right";
  return std::to_string(value);
}

void Print(const LightingState& s, const SkinPaths& paths) {
  const std::string name = EffectName(paths, s.effect);
  std::printf("effect: %d%s%s\n", s.effect, name.empty() ? "" : " ", name.c_str());
  std::printf("brightness: %d\n", s.brightness);
  std::printf("speed: %d\n", s.speed);
  std::printf("direction: %s\n", Direction(s.direction).c_str());
  std::printf("colourful: %s\n", s.colourful ? "on" : "off");
  std::printf("colour: #%02x%02x%02x\n", RedOf(s.colour), GreenOf(s.colour), BlueOf(s.colour));
  std::printf("report rate: %d\n", s.report_rate);
  std::printf("user mode: %d\n", s.user_mode);
}

int Apply(LightingModel& model, const LightingChange& change) {
  using Kind = LightingChange::Kind;
  switch (change.kind) {
    case Kind::kEffect:
      return model.SelectEffect(change.value);
    case Kind::kBrightness:
      return model.SetBrightness(change.value);
    case Kind::kSpeed:
      return model.SetSpeedPosition(kMaxSpeed - change.value);
    case Kind::kDirection:
      return model.SetDirection(static_cast<std::uint8_t>(change.value));
    case Kind::kColour:
      return model.SetColour(static_cast<Colour>(change.value));
    case Kind::kColourful:
      return model.SetColourful(change.value != 0);
    case Kind::kRate:
      return model.SetReportRate(change.value);
    case Kind::kChoice:
      return model.SetEffect17Colour(change.value);
    case Kind::kUserMode:
      return model.SetUserMode(change.value);
  }
  return kDone;
}

}  // namespace

int RunLighting(std::span<const std::string> args) {
  int profile = -1;
  if (!args.empty() && args[0].find('=') == std::string::npos && args[0] != "default") {
    const std::string& text = args[0];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), profile);
    if (error != std::errc() || end != text.data() + text.size() || profile < 0 ||
        profile >= kLightingProfiles) {
      PrintError("profile must be 0, 1 or 2");
      return kExitUsage;
    }
    args = args.subspan(1);
  }
  const bool restore_default = args.size() == 1 && args[0] == "default";
  const ParsedLightingChanges parsed =
      restore_default ? ParsedLightingChanges{} : ParseLightingChanges(args);
  if (!parsed.error.empty()) {
    PrintError(parsed.error);
    return kExitUsage;
  }

  KeyboardConnection keyboard;
  if (const int opened = keyboard.Open(); opened != kExitOk) return opened;
  if (profile < 0) profile = keyboard.commands().GetActiveProfile();
  const SkinPaths paths = SkinPathsFromEnvironment();
  NoLightingWidgets widgets;
  LightingModel model(keyboard.commands(), widgets, paths.user_settings_file);
  model.set_current_profile(profile);
  if (profile < 0 || model.ReadLightingBlocks(false) != 0) {
    PrintError("the keyboard did not answer");
    return kExitNoKeyboard;
  }
  if (!restore_default && parsed.changes.empty()) {
    Print(model.state(), paths);
    return kExitOk;
  }
  int result = kDone;
  if (restore_default) {
    result = model.WriteDefaultBlock();
  } else {
    for (const auto& change : parsed.changes) {
      if (result == kDone) result = Apply(model, change);
    }
  }
  if (result != kDone) {
    PrintError("the keyboard refused the change (" + std::to_string(result) + ")");
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace talon::cli
