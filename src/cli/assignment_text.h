#pragma once
// Key assignments and macros in plain words, the wording `show` and `keys` share, and the same
// as JSON objects:
//
//   profile 0: F5 -> media Mute
//   profile 1: Caps Lock -> key Ctrl
//   profile 0: G2 -> macro "Build" x3
//   macro "Build" (id 1) x3, 2 actions:
//     press Shift, pause 10 ms
//     release Shift, pause 0 ms
#include <QJsonArray>
#include <QJsonObject>
#include <cstddef>
#include <string>
#include <vector>

#include "model/profile_store.h"
#include "platform/text_lookup.h"

namespace talon::cli {

struct ReassignedKey {
  std::size_t profile;
  KeySlot slot;
  std::string key;         // "F5", "G2", "G3 (bank B)"
  std::string assignment;  // "media Mute"
};

// Every record of profiles [first, end) whose type is not Default, slot by slot; `with_bank_b`
// includes the bank B G keys, which never reach the keyboard.
std::vector<ReassignedKey> ReassignedKeys(const ProfileContents& contents, std::size_t first,
                                          std::size_t end, bool with_bank_b,
                                          const TextLookup& texts);

// "profile P: KEY -> ASSIGNMENT" lines, or "no reassigned keys".
void PrintReassignedKeys(const std::vector<ReassignedKey>& keys);
// Each macro's head line and its actions, or "no macros".
void PrintMacros(const std::vector<MacroRecord>& macros, const TextLookup& texts);

// {"profile", "key", "slot", "type", "value", "extra", "text"} and, for launch paths and texts,
// "string".
QJsonArray ReassignedKeysJson(const std::vector<ReassignedKey>& keys,
                              const ProfileContents& contents);
// {"id", "name", "repeat", "actions": [{"state", "key", "key_id", "pause"}]}; without the
// actions, "action_count" instead.
QJsonObject MacroJson(const MacroRecord& macro, const TextLookup& texts, bool with_actions);

// "macro "Build" (id 1) x3, 2 actions"
std::string MacroHead(const MacroRecord& macro);

}  // namespace talon::cli
