#include "ui/editors/assignment.h"

#include <iterator>

#include "ui/editors/keystroke_rules.h"

namespace talon {

Assignment BuildAssignment(KeySlot edited_slot, const AssignmentPages& pages) {
  Assignment a;
  a.type = static_cast<AssignmentKind>(pages.page);
  a.extra = GKeyCode(edited_slot);
  switch (a.type) {
    case AssignmentKind::kKey:
      if (pages.mouse_choice) {
        const auto entry = static_cast<std::size_t>(pages.mouse_entry);
        a.value = entry < std::size(kMouseKeys) ? kMouseKeys[entry] : kMouseKeys[0];
      } else if (pages.captured == 0 || SlotOfKey(pages.captured) == edited_slot) {
        a.type = AssignmentKind::kDefault;
      } else {
        a.value = pages.captured;
      }
      break;
    case AssignmentKind::kMacro:
      if (pages.no_macros) {
        a.type = AssignmentKind::kDefault;
      } else {
        a.value = pages.macro_id;
        a.extra = pages.play_count;
      }
      break;
    case AssignmentKind::kMedia:
      a.value = static_cast<std::uint32_t>(pages.media);
      break;
    case AssignmentKind::kFunction:
      a.value = static_cast<std::uint32_t>(pages.function);
      break;
    default:
      a.value = 0;
      break;
  }
  return a;
}

}  // namespace talon
