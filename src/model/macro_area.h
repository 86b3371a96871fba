#pragma once
// The keyboard's packed form of the macro list: a 16-byte head, a table of offsets, then one
// block per macro with 4-byte actions and, when there is room, the name.
//
// Example: one macro "Ab" of one action, a left Shift press with a 15 ms pause, with names:
//   AA 55  1E 00  01 00  01 00  00*8   head: magic, length 30, one macro, names included
//   12 00                              the block starts at offset 18
//   01 00  01  02                      one action, repeat count 1, name of 2 characters
//   01 A0  01 02                       pause 1 (x 10 ms) | kind 2 << 12 | press bit 15; mask 2
//   41 00 62 00                        "Ab", no terminator
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/key_bank.h"
#include "model/macro_record.h"
#include "platform/text_lookup.h"

namespace talon {

inline constexpr std::uint16_t kMacroAreaMagic = 0x55AA;
inline constexpr std::size_t kMacroAreaHeadSize = 16;
// The head's length field is 16 bits wide.
inline constexpr std::size_t kMaxMacroAreaSize = 0xFFFF;

struct MacroAreaSizes {
  std::size_t minimum = 0;  // without names
  std::size_t full = 0;     // with names
};

MacroAreaSizes MeasureMacroArea(std::span<const MacroRecord> macros);

// The area at the full size (with names) or the minimum size (without). Callers keep the size
// within kMaxMacroAreaSize.
std::vector<std::uint8_t> EncodeMacroArea(std::span<const MacroRecord> macros, bool with_names);

// The (kind, byte 2, byte 3) that a macro action of a key is sent as.
KeyBankEntry MacroActionCode(KeyId key);

// The macros of an area read from the keyboard: ids are table positions + 1, a block without a
// name is named from "MACRO_NEW_PREFIX" and its number. An area without the magic holds no
// macros. Nothing outside `area` (nor past the head's stated length) is read: only the first
// 100 macros count, and a macro whose block does not lie whole within the area, or that claims
// more than 2000 actions, is left out (the others keep their numbers).
std::vector<MacroRecord> DecodeMacroArea(std::span<const std::uint8_t> area,
                                         const TextLookup& texts);

}  // namespace talon
