#include "cli/action_arguments.h"

#include <array>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/keyboard_connection.h"
#include "model/key_names.h"
#include "model/utf16.h"

namespace talon::cli {

namespace {

struct NamedMouseAction {
  const char* name;
  KeyId key;
};
constexpr std::array<NamedMouseAction, 5> kMouseActions{{
    {"left", key::kLeftButton},
    {"right", key::kRightButton},
    {"middle", key::kMiddleButton},
    {"wheel-up", key::kRollUp},
    {"wheel-down", key::kRollDown},
}};

const std::vector<std::string> kActionKinds{
    "default", "disabled", "stop-macro", "key:", "mouse:", "media:", "function:", "macro:"};

std::optional<ActionArgument> Refuse(const std::string& what, std::string_view typed,
                                     std::span<const std::string> names) {
  PrintError("unknown " + what + " '" + std::string(typed) + "'" + ClosestOf(typed, names));
  return std::nullopt;
}

std::optional<ActionArgument> KeyAction(KeyId key) {
  return ActionArgument{{AssignmentKind::kKey, key}, {}};
}

std::optional<ActionArgument> ParseMouse(std::string_view name) {
  std::vector<std::string> names;
  for (const auto& action : kMouseActions) {
    if (NormalisedName(name) == action.name) return KeyAction(action.key);
    names.emplace_back(action.name);
  }
  return Refuse("mouse action", name, names);
}

std::optional<ActionArgument> ParseMedia(std::string_view name) {
  auto index = ParseNumberIn(name, 0, kMediaCount - 1);
  if (!index) {
    const int by_name = MediaIndexOfName(name);
    if (by_name >= 0) index = by_name;
  }
  if (!index) return Refuse("media function", name, MediaNames());
  return ActionArgument{{AssignmentKind::kMedia, static_cast<std::uint32_t>(*index)}, {}};
}

std::optional<ActionArgument> ParseFunction(std::string_view name, const TextLookup& texts) {
  std::vector<std::string> names;
  for (int f = 0; f < static_cast<int>(kFunctionCount); ++f) {
    names.push_back(texts.Text("FUNC_KEY_DESC" + std::to_string(f + 1)));
  }
  auto number = ParseNumberIn(name, 0, static_cast<int>(kFunctionCount) - 1);
  for (int f = 0; f < static_cast<int>(kFunctionCount) && !number; ++f) {
    if (NormalisedName(names[static_cast<std::size_t>(f)]) == NormalisedName(name)) number = f;
  }
  if (!number) return Refuse("function", name, names);
  return ActionArgument{{AssignmentKind::kFunction, static_cast<std::uint32_t>(*number)}, {}};
}

}  // namespace

std::string ClosestOf(std::string_view typed, std::span<const std::string> names) {
  const auto closest = ClosestNames(typed, names);
  if (closest.empty()) return {};
  std::string text = " (closest: ";
  for (std::size_t i = 0; i < closest.size(); ++i) text += (i == 0 ? "" : ", ") + closest[i];
  return text + ")";
}

std::optional<KeySlot> ParseKeySlot(std::string_view text, bool bank_b) {
  const std::string name = NormalisedName(text);
  if (name.size() == 2 && name[0] == 'g' && name[1] >= '1' && name[1] <= '9') {
    const KeySlot first = bank_b ? kGSlotBankB : kGSlotBankA;
    return static_cast<KeySlot>(first + (name[1] - '1'));
  }
  if (const KeyId key = KeyOfName(text, ReassignableKeys()); key != 0) return SlotOfKey(key);
  std::vector<std::string> names = EnglishNamesOf(ReassignableKeys());
  for (int g = 1; g <= 9; ++g) names.push_back("G" + std::to_string(g));
  PrintError("unknown key '" + std::string(text) + "'" + ClosestOf(text, names));
  return std::nullopt;
}

std::optional<ActionArgument> ParseAction(std::string_view text, const TextLookup& texts) {
  const std::size_t colon = text.find(':');
  const std::string kind = AsciiLower(text.substr(0, colon));
  const std::string_view name = colon == std::string_view::npos ? "" : text.substr(colon + 1);
  if (colon == std::string_view::npos) {
    if (kind == "default") return ActionArgument{{AssignmentKind::kDefault}, {}};
    if (kind == "disabled") return ActionArgument{{AssignmentKind::kDisabled}, {}};
    if (kind == "stop-macro") return ActionArgument{{AssignmentKind::kStopMacro}, {}};
  } else if (kind == "key") {
    if (const KeyId key = KeyOfName(name, SingleKeyTargets()); key != 0) return KeyAction(key);
    return Refuse("key", name, EnglishNamesOf(SingleKeyTargets()));
  } else if (kind == "mouse") {
    return ParseMouse(name);
  } else if (kind == "media") {
    return ParseMedia(name);
  } else if (kind == "function") {
    return ParseFunction(name, texts);
  } else if (kind == "macro" && !name.empty()) {
    return ActionArgument{{AssignmentKind::kMacro}, std::string(name)};
  }
  return Refuse("action", text, kActionKinds);
}

std::optional<std::size_t> FindMacro(std::span<const MacroRecord> macros,
                                     std::string_view id_or_name) {
  std::vector<std::string> names;
  if (const auto id = ParseNumberIn(id_or_name, 1, kMaxMacroId)) {
    for (std::size_t i = 0; i < macros.size(); ++i) {
      if (macros[i].id == *id) return i;
    }
  }
  std::optional<std::size_t> ignoring_case;
  int matches_ignoring_case = 0;
  for (std::size_t i = 0; i < macros.size(); ++i) {
    const std::string name = Utf16ToUtf8(macros[i].name);
    if (name == id_or_name) return i;
    if (AsciiLower(name) == AsciiLower(id_or_name)) {
      ignoring_case = i;
      ++matches_ignoring_case;
    }
    names.push_back(name);
  }
  if (matches_ignoring_case == 1) return ignoring_case;
  if (macros.empty()) {
    PrintError("the keyboard holds no macros");
  } else {
    PrintError("no macro '" + std::string(id_or_name) + "'" + ClosestOf(id_or_name, names));
  }
  return std::nullopt;
}

}  // namespace talon::cli
