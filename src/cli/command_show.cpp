// talon7x-ctl show FILE: a profile file in plain words. Every key that is not left at its default
// assignment, profile by profile, then every macro with its actions:
//
//   profile 0: F5 -> media Mute
//   profile 1: Caps Lock -> key Ctrl
//   profile 0: G2 -> macro "Build" x3
//   macro "Build" (id 1) x3, 2 actions:
//     press Shift, pause 10 ms
//     release Shift, pause 0 ms
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/cli_command.h"
#include "cli/keyboard_connection.h"
#include "cli/profile_tools.h"
#include "model/key_table.h"
#include "model/macro_list.h"
#include "model/profile_file.h"
#include "model/utf16.h"

namespace talon::cli {

namespace {

constexpr std::uint32_t kFunctionCount = 11;

std::string Quoted(const std::u16string& text) {
  return "\"" + Utf16ToUtf8(text) + "\"";
}

std::string SlotName(KeySlot slot, const TextLookup& texts) {
  if (slot < kGSlotBankA) return KeyName(KeyOfSlot(slot), texts);
  if (slot < kGSlotBankB) return "G" + std::to_string(slot - kGSlotBankA + 1);
  return "G" + std::to_string(slot - kGSlotBankB + 1) + " (bank B)";
}

bool IsMouse(KeyId key) {
  return key == key::kLeftButton || key == key::kRightButton || key == key::kMiddleButton ||
         key == key::kRollUp || key == key::kRollDown;
}

// "xN" is the macro's own play count, which is what the keyboard plays.
std::string MacroAssignment(const KeyRecord& record, const ProfileContents& contents) {
  auto id = static_cast<std::uint16_t>(record.value & 0xFFFF);
  if (id == 0 && !contents.macros.empty()) id = contents.macros.front().id;
  const std::size_t at = MacroIndexOf(contents.macros, id);
  if (at < contents.macros.size() && contents.macros[at].id == id) {
    const MacroRecord& macro = contents.macros[at];
    return "macro " + Quoted(macro.name) + " x" + std::to_string(macro.repeat_count);
  }
  return "macro #" + std::to_string(id) + " (no such macro)";
}

std::string Assignment(const KeyRecord& record, std::size_t index, const ProfileContents& contents,
                       const TextLookup& texts) {
  const auto key = static_cast<KeyId>(record.value);
  const std::u16string* text = contents.launch_strings.Get(index);
  const std::string string = text != nullptr ? Quoted(*text) : "\"\"";
  switch (record.type) {
    case AssignmentKind::kDisabled:
      return "disabled";
    case AssignmentKind::kKey:
      return (IsMouse(key) ? "mouse " : "key ") + KeyName(key, texts);
    case AssignmentKind::kLaunch:
      return "launch " + string;
    case AssignmentKind::kMacro:
      return MacroAssignment(record, contents);
    case AssignmentKind::kStopMacro:
      return "stop macro";
    case AssignmentKind::kText:
      return "text " + string;
    case AssignmentKind::kMedia:
      if (record.value < kMediaCount)
        return "media " + KeyName(MediaList()[record.value].key, texts);
      return "media #" + std::to_string(record.value);
    case AssignmentKind::kFunction:
      if (record.value < kFunctionCount) {
        return "function " + texts.Text("FUNC_KEY_DESC" + std::to_string(record.value + 1));
      }
      return "function #" + std::to_string(record.value);
    default:
      return "type " + std::to_string(static_cast<unsigned>(record.type)) + " value " +
             std::to_string(record.value);
  }
}

void PrintKeys(const ProfileContents& contents, const TextLookup& texts) {
  for (std::size_t profile = 0; profile < kProfileCount; ++profile) {
    for (KeySlot slot = 0; slot < kGSlotEnd; ++slot) {
      const std::size_t index = RecordIndex(profile, slot);
      const KeyRecord& record = contents.key_block.records[index];
      if (record.type == AssignmentKind::kDefault) continue;
      std::printf("profile %zu: %s -> %s\n", profile, SlotName(slot, texts).c_str(),
                  Assignment(record, index, contents, texts).c_str());
    }
  }
}

void PrintMacros(const ProfileContents& contents, const TextLookup& texts) {
  for (const MacroRecord& macro : contents.macros) {
    std::printf("macro %s (id %u) x%u, ", Quoted(macro.name).c_str(), macro.id, macro.repeat_count);
    if (macro.actions.empty()) {
      std::printf("no actions\n");
      continue;
    }
    std::printf("%zu action%s:\n", macro.actions.size(), macro.actions.size() == 1 ? "" : "s");
    for (const MacroAction& action : macro.actions) {
      std::printf("  %s %s, pause %u ms\n",
                  action.state == action_state::kRelease ? "release" : "press",
                  KeyName(action.key, texts).c_str(), action.pause_ms);
    }
  }
}

}  // namespace

int RunShow(std::span<const std::string> args) {
  if (args.size() != 1) return kExitUsage;
  const std::filesystem::path path = args[0];
  const EnglishTexts texts(SkinPathsFromEnvironment());
  if (const int checked = CheckFileForTool(path, texts); checked != kExitOk) return checked;

  const auto store = std::make_unique<ProfileStore>();
  if (ReadProfileFile(*store, path) != kProfileUsable) {
    StderrPort(texts).ShowMessage({"PROFILE_FORMAT_ERROR", {path.string()}});
    return kExitBadFile;
  }
  const auto held = store->Lock();
  PrintKeys(*held, texts);
  PrintMacros(*held, texts);
  return kExitOk;
}

}  // namespace talon::cli
