#pragma once
// The record the key assignment dialog writes for the edited key, from what its pages show.
#include <cstdint>

#include "model/key_record.h"

namespace talon {

struct AssignmentPages {
  int page = 0;  // the record type the dialog would write: 0, 2, 4, 7, 8, or a kept 1, 3, 5, 6
  // Key page.
  bool mouse_choice = false;
  KeyId captured = 0;
  int mouse_entry = 0;  // 0-4
  // Macro page: the committed id of the chosen macro (0 when none), and its play count.
  bool no_macros = true;
  std::uint16_t macro_id = 0;
  std::uint16_t play_count = 1;
  // Media and function pages.
  int media = 0;
  int function = 0;
};

struct Assignment {
  AssignmentKind type = AssignmentKind::kDefault;
  std::uint16_t extra = 0;
  std::uint32_t value = 0;
  friend bool operator==(const Assignment&, const Assignment&) = default;
};

// Type = the page; the G keys' records carry their G-key code in the extra field (a macro its
// play count instead). A key captured as itself, or nothing captured, is the key's Default; so
// is the macro page with no macro at all. Types the dialog cannot edit keep their type with
// value 0.
Assignment BuildAssignment(KeySlot edited_slot, const AssignmentPages& pages);

}  // namespace talon
