// talon7x-ctl lighting [P] [key=value ... | default] [--json]: show or change a profile's
// lighting, through the same writes as the lighting panel (one exchange per change).
#include <cstdio>
#include <string>

#include "cli/cli_arguments.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
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
  std::printf("colour: %s\n", HexColour(s.colour).c_str());
  std::printf("report rate: %d\n", s.report_rate);
  std::printf("user mode: %d\n", s.user_mode);
}

void PrintJsonState(const LightingState& s, const SkinPaths& paths, int profile) {
  PrintJson({{"profile", profile},
             {"effect", s.effect},
             {"effect_name", Json(EffectName(paths, s.effect))},
             {"brightness", s.brightness},
             {"speed", s.speed},
             {"direction", Json(Direction(s.direction))},
             {"colourful", s.colourful},
             {"colour", Json(HexColour(s.colour))},
             {"report_rate", s.report_rate},
             {"user_mode", s.user_mode}});
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

int RunLighting(std::span<const std::string> all_args) {
  const auto parsed_args = ParseArguments(all_args, option::kJson);
  if (!parsed_args) return kExitUsage;
  std::span<const std::string> args = parsed_args->positional;
  int profile = -1;
  if (!args.empty() && args[0].find('=') == std::string::npos && args[0] != "default") {
    const auto number = ParseProfileNumber(args[0]);
    if (!number) {
      PrintError("profile must be 0, 1 or 2");
      return kExitUsage;
    }
    profile = *number;
    args = args.subspan(1);
  }
  const bool restore_default = args.size() == 1 && args[0] == "default";
  const ParsedLightingChanges parsed =
      restore_default ? ParsedLightingChanges{} : ParseLightingChanges(args);
  if (!parsed.error.empty()) {
    PrintError(parsed.error);
    return kExitUsage;
  }
  if (parsed_args->json && (restore_default || !parsed.changes.empty())) return kExitUsage;

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
    if (parsed_args->json) {
      PrintJsonState(model.state(), paths, profile);
    } else {
      Print(model.state(), paths);
    }
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
