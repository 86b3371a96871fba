#include "model/key_assignment.h"

namespace talon {

bool IsMacroOnlySlot(KeySlot slot) {
  constexpr KeySlot kG9 = 8;
  return slot == kGSlotBankA + kG9 || slot == kGSlotBankB + kG9;
}

KeyRecord AssignedRecord(const KeyRecord& current, KeySlot slot, const KeyAssignment& assignment,
                         bool have_macros) {
  KeyRecord record = current;
  record.type = assignment.type;
  record.extra = GKeyCode(slot);
  record.value = assignment.value;
  switch (assignment.type) {
    case AssignmentKind::kKey: {
      const auto key = static_cast<KeyId>(assignment.value);
      if (key == 0 || SlotOfKey(key) == slot) record.type = AssignmentKind::kDefault;
      break;
    }
    case AssignmentKind::kMacro:
      if (have_macros) {
        record.extra = assignment.play_count;
      } else {
        record.type = AssignmentKind::kDefault;
        record.value = 0;
      }
      break;
    default:
      break;
  }
  return record;
}

void AssignKey(ProfileContents& contents, std::size_t profile, KeySlot slot,
               const KeyAssignment& assignment) {
  if (profile >= kProfileCount || slot >= kSlotsPerProfile) return;
  const std::size_t index = RecordIndex(profile, slot);
  contents.launch_strings.Release(index);
  KeyRecord& record = contents.key_block.records[index];
  record = AssignedRecord(record, slot, assignment, !contents.macros.empty());
}

}  // namespace talon
