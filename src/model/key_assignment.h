#pragma once
// What applying a key assignment writes into the key record, in one place, so that the key
// assignment dialog and the command-line tool store exactly the same thing.
#include <cstdint>

#include "model/profile_store.h"

namespace talon {

struct KeyAssignment {
  AssignmentKind type = AssignmentKind::kDefault;
  // By type: a KeyId (Key), a macro id of the committed list (Macro), a media list index
  // (Media), a function number (Function); 0 otherwise.
  std::uint32_t value = 0;
  // Macro assignments: how often the macro plays, as the play count box shows it.
  std::uint8_t play_count = 1;
};

// G9, in either bank, plays macros only: its editor offers nothing else.
bool IsMacroOnlySlot(KeySlot slot);

// The record that `slot` gets from `assignment`, starting from its `current` record, whose mark
// and reserved word stay:
// - extra is the slot's G-key code (0 for other keys), or the play count for a macro;
// - a Key assignment of no key, or of the key itself, is stored as Default (the value kept);
// - a Macro assignment while there are no macros is stored as Default with value 0.
KeyRecord AssignedRecord(const KeyRecord& current, KeySlot slot, const KeyAssignment& assignment,
                         bool have_macros);

// Writes AssignedRecord into the record of `slot` in `profile`, releasing the launch path or text
// the record carried. The caller holds the store's lock and has committed the macro list first.
void AssignKey(ProfileContents& contents, std::size_t profile, KeySlot slot,
               const KeyAssignment& assignment);

}  // namespace talon
