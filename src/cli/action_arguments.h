#pragma once
// KEY and ACTION of `talon7x-ctl key`, and the macro an ID or NAME stands for. Every refusal
// prints its reason with the closest valid names.
//
//   KEY     a key's English name or identifier, case and spaces ignored ("Caps Lock",
//           "capslock", "CAPS"), or G1-G9
//   ACTION  default | disabled | stop-macro | key:NAME | mouse:left|right|middle|wheel-up|
//           wheel-down | media:NAME|0-17 | function:NAME|0-10 | macro:ID|NAME
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/key_assignment.h"
#include "model/macro_record.h"
#include "platform/text_lookup.h"

namespace talon::cli {

// The key record slot of KEY; G keys of bank B when `bank_b`.
std::optional<KeySlot> ParseKeySlot(std::string_view text, bool bank_b);

struct ActionArgument {
  KeyAssignment assignment;
  std::string macro;  // macro assignments: the ID or NAME, looked up in the keyboard's list
};
std::optional<ActionArgument> ParseAction(std::string_view text, const TextLookup& texts);

// The list position of the macro with that id (all digits) or name (exactly, else the one name
// equal to it ignoring case).
std::optional<std::size_t> FindMacro(std::span<const MacroRecord> macros,
                                     std::string_view id_or_name);

// " (closest: A, B, C)" for an unknown name, or "" when there is nothing to offer.
std::string ClosestOf(std::string_view typed, std::span<const std::string> names);

}  // namespace talon::cli
