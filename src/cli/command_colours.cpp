// talon7x-ctl colours P [MODE] [--json]: a user colour mode of profile P (default: the one it
// has selected), key by key.
// talon7x-ctl colours P MODE KEY=#rrggbb|KEY=base|base=#rrggbb|name=TEXT ...: paints keys (with
// a colour, or with the mode's base colour), changes the base colour or renames the mode, in the
// order given, in the profile's colour file as the colour tools do; then the mode's colours go
// to the keyboard's colour slot of MODE.
#include <algorithm>
#include <cstdio>
#include <variant>

#include "cli/action_arguments.h"
#include "cli/cli_arguments.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "cli/keyboard_connection.h"
#include "device/result_codes.h"
#include "model/key_colours.h"
#include "model/key_names.h"
#include "model/user_colour_file.h"
#include "model/user_colours.h"
#include "shell/user_folder.h"

namespace talon::cli {

namespace {

struct ColourKey {
  std::string name;
  int led;
};

// The keys taking part in user colour modes, in LED order (the keyboard's rows).
const std::vector<ColourKey>& ColourKeys() {
  static const std::vector<ColourKey> keys = [] {
    std::vector<ColourKey> all;
    for (KeyId key : ReassignableKeys()) {
      if (const int led = LedIndexOfKey(key); HasColourSlot(led)) {
        all.push_back({std::string(KeyEnglishName(key)), led});
      }
    }
    for (unsigned g = 1; g <= 5; ++g) all.push_back({"G" + std::to_string(g), LedIndexOfGKey(g)});
    all.push_back({"Fn", kFnLed});
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.led < b.led; });
    return all;
  }();
  return keys;
}

std::optional<int> LedOfName(std::string_view typed) {
  const std::string wanted = NormalisedName(typed);
  std::vector<KeyId> keys;
  for (KeyId key : ReassignableKeys()) {
    if (HasColourSlot(LedIndexOfKey(key))) keys.push_back(key);
  }
  if (const KeyId key = KeyOfName(typed, keys); key != 0) return LedIndexOfKey(key);
  for (const ColourKey& key : ColourKeys()) {
    if (NormalisedName(key.name) == wanted) return key.led;
  }
  std::vector<std::string> names;
  for (const ColourKey& key : ColourKeys()) names.push_back(key.name);
  PrintError("no user colour for key '" + std::string(typed) + "'" + ClosestOf(typed, names));
  return std::nullopt;
}

struct Paint {
  int led;
  std::optional<Colour> colour;  // none: the mode's base colour
};
struct NewBase {
  Colour colour;
};
struct NewName {
  std::string text;
};
using ColourChange = std::variant<Paint, NewBase, NewName>;

std::optional<ColourChange> ParseChange(const std::string& argument) {
  if (argument.starts_with("name=")) return NewName{argument.substr(5)};
  // Split at the last '=', so the '=' key paints as "==#rrggbb".
  const std::size_t equals = argument.rfind('=');
  if (equals == std::string::npos || equals == 0) {
    PrintError("expected KEY=#rrggbb, KEY=base, base=#rrggbb or name=TEXT, got '" + argument + "'");
    return std::nullopt;
  }
  const std::string target = argument.substr(0, equals);
  const std::string value = argument.substr(equals + 1);
  const auto colour = ParseHexColour(value);
  if (target == "base") {
    if (!colour) PrintError("base must be #rrggbb");
    return colour ? std::optional<ColourChange>(NewBase{*colour}) : std::nullopt;
  }
  const auto led = LedOfName(target);
  if (!led) return std::nullopt;
  if (value == "base") return Paint{*led, std::nullopt};
  if (!colour) {
    PrintError(target + " must be #rrggbb or base");
    return std::nullopt;
  }
  return Paint{*led, colour};
}

bool Apply(const ColourChange& change, const std::filesystem::path& file, int mode) {
  if (const auto* name = std::get_if<NewName>(&change)) {
    return RenameUserColourMode(file, mode, name->text);
  }
  if (const auto* base = std::get_if<NewBase>(&change)) {
    return ChangeUserColourBase(file, mode, base->colour);
  }
  const auto& paint = std::get<Paint>(change);
  const Colour colour = paint.colour ? *paint.colour : ReadUserColourMode(file, mode).base;
  const std::pair<int, UserColourEntry> entry{paint.led, {colour, !paint.colour}};
  return PaintUserColourKeys(file, mode, {&entry, 1});
}

// The mode's colours into the keyboard's colour slot of the mode, as selecting it sends them.
int SendMode(KeyboardCommands& commands, const std::filesystem::path& file, int profile, int mode) {
  const UserColourMode stored = ReadUserColourMode(file, mode);
  KeyColourTable table;
  for (int led : UserColourModes::Leds()) {
    table.Set(profile, led, stored.keys[static_cast<std::size_t>(led)].colour);
  }
  return WriteKeyColours(commands, mode, table.Profile(profile));
}

void Print(const UserColourMode& mode, int profile, int number, bool selected) {
  std::printf("profile: %d\nmode: %d\nname: %s\nselected: %s\n", profile, number, mode.name.c_str(),
              selected ? "yes" : "no");
  std::printf("tool: %s\nbase: %s\npaint: %s\n", mode.tool == 1 ? "base" : "paint",
              HexColour(mode.base).c_str(), HexColour(mode.paint).c_str());
  for (const ColourKey& key : ColourKeys()) {
    const UserColourEntry& entry = mode.keys[static_cast<std::size_t>(key.led)];
    std::printf("%s: %s%s\n", key.name.c_str(), HexColour(entry.colour).c_str(),
                entry.base ? " base" : "");
  }
}

QJsonObject ModeJson(const UserColourMode& mode, int profile, int number, bool selected) {
  QJsonArray keys;
  for (const ColourKey& key : ColourKeys()) {
    const UserColourEntry& entry = mode.keys[static_cast<std::size_t>(key.led)];
    keys.append(QJsonObject{{"key", Json(key.name)},
                            {"led", key.led},
                            {"colour", Json(HexColour(entry.colour))},
                            {"base", entry.base}});
  }
  return {{"profile", profile},
          {"mode", number},
          {"name", Json(mode.name)},
          {"selected", selected},
          {"tool", mode.tool == 1 ? "base" : "paint"},
          {"base", Json(HexColour(mode.base))},
          {"paint", Json(HexColour(mode.paint))},
          {"keys", keys}};
}

}  // namespace

int RunColours(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, option::kJson);
  if (!parsed || parsed->positional.empty()) return kExitUsage;
  const auto& positional = parsed->positional;
  const auto profile = ParseProfileNumber(positional[0]);
  const auto mode =
      positional.size() > 1 ? ParseNumberIn(positional[1], 0, kUserModes - 1) : std::nullopt;
  if (!profile || (positional.size() > 1 && !mode)) {
    PrintError("profile must be 0, 1 or 2 and mode 0-3");
    return kExitUsage;
  }
  std::vector<ColourChange> changes;
  for (std::size_t i = 2; i < positional.size(); ++i) {
    auto change = ParseChange(positional[i]);
    if (!change) return kExitUsage;
    changes.push_back(std::move(*change));
  }
  if (parsed->json && !changes.empty()) return kExitUsage;

  const SkinPaths paths = SkinPathsFromEnvironment();
  EnsureUserFolder(paths);
  const std::filesystem::path file = paths.UserColourFile(*profile);
  const int selected = SelectedUserMode(file);
  const int shown = mode.value_or(selected);
  if (changes.empty()) {
    const UserColourMode stored = ReadUserColourMode(file, shown);
    if (parsed->json) {
      PrintJson(ModeJson(stored, *profile, shown, shown == selected));
    } else {
      Print(stored, *profile, shown, shown == selected);
    }
    return kExitOk;
  }

  // Names stay in the file; colours go to the keyboard too, which must be there first.
  const bool colours_change = std::any_of(changes.begin(), changes.end(), [](const auto& c) {
    return !std::holds_alternative<NewName>(c);
  });
  KeyboardConnection keyboard;
  if (colours_change) {
    if (const int opened = keyboard.Open(); opened != kExitOk) return opened;
  }
  for (const ColourChange& change : changes) {
    if (!Apply(change, file, shown)) {
      PrintError("cannot write " + file.string());
      return kExitBadFile;
    }
  }
  if (colours_change && SendMode(keyboard.commands(), file, *profile, shown) != kDone) {
    PrintError("the keyboard did not take the colours");
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace talon::cli
