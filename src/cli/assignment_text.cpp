#include "cli/assignment_text.h"

#include <cstdio>

#include "cli/json_output.h"
#include "model/key_table.h"
#include "model/macro_list.h"
#include "model/utf16.h"

namespace talon::cli {

namespace {

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

}  // namespace

std::vector<ReassignedKey> ReassignedKeys(const ProfileContents& contents, std::size_t first,
                                          std::size_t end, bool with_bank_b,
                                          const TextLookup& texts) {
  std::vector<ReassignedKey> keys;
  const KeySlot end_slot = with_bank_b ? kGSlotEnd : kGSlotBankB;
  for (std::size_t profile = first; profile < end && profile < kProfileCount; ++profile) {
    for (KeySlot slot = 0; slot < end_slot; ++slot) {
      const std::size_t index = RecordIndex(profile, slot);
      const KeyRecord& record = contents.key_block.records[index];
      if (record.type == AssignmentKind::kDefault) continue;
      keys.push_back(
          {profile, slot, SlotName(slot, texts), Assignment(record, index, contents, texts)});
    }
  }
  return keys;
}

void PrintReassignedKeys(const std::vector<ReassignedKey>& keys) {
  if (keys.empty()) std::printf("no reassigned keys\n");
  for (const ReassignedKey& key : keys) {
    std::printf("profile %zu: %s -> %s\n", key.profile, key.key.c_str(), key.assignment.c_str());
  }
}

std::string MacroHead(const MacroRecord& macro) {
  const std::size_t count = macro.actions.size();
  const std::string actions = count == 0   ? "no actions"
                              : count == 1 ? "1 action"
                                           : std::to_string(count) + " actions";
  return "macro " + Quoted(macro.name) + " (id " + std::to_string(macro.id) + ") x" +
         std::to_string(macro.repeat_count) + ", " + actions;
}

void PrintMacros(const std::vector<MacroRecord>& macros, const TextLookup& texts) {
  if (macros.empty()) std::printf("no macros\n");
  for (const MacroRecord& macro : macros) {
    std::printf("%s%s\n", MacroHead(macro).c_str(), macro.actions.empty() ? "" : ":");
    for (const MacroAction& action : macro.actions) {
      std::printf("  %s %s, pause %u ms\n",
                  action.state == action_state::kRelease ? "release" : "press",
                  KeyName(action.key, texts).c_str(), action.pause_ms);
    }
  }
}

QJsonArray ReassignedKeysJson(const std::vector<ReassignedKey>& keys,
                              const ProfileContents& contents) {
  QJsonArray array;
  for (const ReassignedKey& key : keys) {
    const std::size_t index = RecordIndex(key.profile, key.slot);
    const KeyRecord& record = contents.key_block.records[index];
    QJsonObject object{{"profile", static_cast<int>(key.profile)},
                       {"key", Json(key.key)},
                       {"slot", key.slot},
                       {"type", static_cast<int>(record.type)},
                       {"value", static_cast<qint64>(record.value)},
                       {"extra", record.extra},
                       {"text", Json(key.assignment)}};
    if (const std::u16string* text = contents.launch_strings.Get(index); text != nullptr) {
      object.insert("string", Json(Utf16ToUtf8(*text)));
    }
    array.append(object);
  }
  return array;
}

QJsonObject MacroJson(const MacroRecord& macro, const TextLookup& texts, bool with_actions) {
  QJsonObject object{
      {"id", macro.id}, {"name", Json(Utf16ToUtf8(macro.name))}, {"repeat", macro.repeat_count}};
  if (!with_actions) {
    object.insert("action_count", static_cast<int>(macro.actions.size()));
    return object;
  }
  QJsonArray actions;
  for (const MacroAction& action : macro.actions) {
    actions.append(
        QJsonObject{{"state", action.state == action_state::kRelease ? "release" : "press"},
                    {"key", Json(KeyName(action.key, texts))},
                    {"key_id", action.key},
                    {"pause", static_cast<qint64>(action.pause_ms)}});
  }
  object.insert("actions", actions);
  return object;
}

}  // namespace talon::cli
