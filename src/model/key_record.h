#pragma once
// What one key of one on-board profile does, as the program keeps it: a 16-byte record, the same
// in memory and in profile files, 512 per profile.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/key_table.h"

namespace talon {

inline constexpr std::size_t kKeyRecordSize = 16;
inline constexpr std::size_t kProfileCount = 4;
inline constexpr std::size_t kSlotsPerProfile = 512;
inline constexpr std::size_t kKeyRecordCount = kProfileCount * kSlotsPerProfile;
// G1-G9 of bank A, then of bank B; slots 274-511 are never used.
inline constexpr KeySlot kGSlotBankA = 256;
inline constexpr KeySlot kGSlotBankB = 265;
inline constexpr KeySlot kGSlotEnd = 274;

enum class AssignmentKind : std::uint16_t {
  kDefault = 0,    // what the keyboard's default key map says
  kDisabled = 1,   // nothing
  kKey = 2,        // value: a KeyId (a key of the key list, a mouse button or wheel step)
  kLaunch = 3,     // value: the program path's place in the string pool (files only)
  kMacro = 4,      // value: macro id, 0 = the first macro; extra: play count
  kStopMacro = 5,  // stops the macro being played
  kText = 6,       // value: the text's place in the string pool (files only)
  kMedia = 7,      // value: index into MediaList
  kFunction = 8,   // value: index into the keyboard's function list
};

// Keyboard functions (type 8) with a name: values 0-10, named by FUNC_KEY_DESC1-11.
inline constexpr std::uint32_t kFunctionCount = 11;

// Records read from files may hold any type; only 0-8 mean something.
struct KeyRecord {
  AssignmentKind type = AssignmentKind::kDefault;
  std::uint16_t extra = 0;  // macro play count, or the G-key code of a G-key record
  std::uint32_t value = 0;
  std::uint32_t mark = 0;  // carried unchanged; nothing sets or reads it
  std::uint32_t reserved = 0;
  friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

// Types 3 and 6 carry a string (launch path or text) in the launch-string table.
inline bool CarriesString(AssignmentKind type) {
  return type == AssignmentKind::kLaunch || type == AssignmentKind::kText;
}

KeyRecord ParseKeyRecord(std::span<const std::uint8_t> bytes);
void SerializeKeyRecord(const KeyRecord& record, std::span<std::uint8_t> bytes);

// Record number of a slot in a profile.
inline std::size_t RecordIndex(std::size_t profile, KeySlot slot) {
  return profile * kSlotsPerProfile + slot;
}

// 0x0300 + n for G key n of bank A, 0x1300 + n for bank B; 0 for other slots.
std::uint16_t GKeyCode(KeySlot slot);

using ProfileRecords = std::span<KeyRecord, kSlotsPerProfile>;

// All 512 records zero, then the G-key records get their G-key code.
void ResetProfileRecords(ProfileRecords records);

}  // namespace talon
