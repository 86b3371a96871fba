#pragma once
// A macro as the program keeps it: a name, a play count, an id that key records refer to, and up
// to 2000 actions. In a profile file each macro is a fixed record of 16512 bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/key_table.h"

namespace talon {

inline constexpr std::size_t kMacroRecordSize = 16512;
inline constexpr std::size_t kMaxMacros = 100;
inline constexpr std::size_t kMaxMacroActions = 2000;
inline constexpr std::size_t kMaxMacroNameLength = 249;  // UTF-16 units; 500 bytes with the 0
inline constexpr std::uint32_t kMaxPauseMs = 40000;
inline constexpr std::uint16_t kMaxMacroId = 100;

namespace action_state {
inline constexpr std::uint16_t kPress = 0;
inline constexpr std::uint16_t kRelease = 1;
}  // namespace action_state

struct MacroAction {
  std::uint32_t pause_ms = 0;  // after the action
  KeyId key = 0;
  std::uint16_t state = action_state::kPress;  // 1 = release; files may hold other values
  friend bool operator==(const MacroAction&, const MacroAction&) = default;
};

struct MacroRecord {
  std::u16string name;
  std::uint8_t repeat_count = 0;
  std::uint8_t reserved501 = 0;
  std::uint16_t new_flag = 0;  // 1 from creation in an editor until the next commit
  std::uint16_t reserved504 = 0;
  std::uint16_t id = 0;  // 1-100, unique within the list
  std::uint16_t reserved510 = 0;
  std::vector<MacroAction> actions;
  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

// Reads one 16512-byte record. A name without its terminator keeps its first 249 characters and
// an action count above 2000 keeps the 2000 actions the record has room for.
MacroRecord ParseMacroRecord(std::span<const std::uint8_t, kMacroRecordSize> bytes);
// Writes one record: the name cut to 249 characters and terminated, at most 2000 actions, the
// unused action slots 0.
void SerializeMacroRecord(const MacroRecord& record,
                          std::span<std::uint8_t, kMacroRecordSize> bytes);

}  // namespace talon
