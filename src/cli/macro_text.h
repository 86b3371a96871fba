#pragma once
// A macro's text form, which `macro show` prints and `macro add` / `macro replace` read:
//
//   # comments start with '#'
//   repeat 3
//   press Shift 10        press or release, a key's name, the pause after it in ms
//   press A 10
//   release A 10
//   release Shift 0
//
// Key names are those of `key` (English name or identifier, case and spaces ignored) plus the
// mouse buttons, "Roll Up", "Roll Down", "Power", "Sleep" and "Wake"; a key without a name is
// written as its number ("0x064"). Pauses are kept in steps of 10 ms, as the keyboard plays
// them: 15 is read as 10. Without a repeat line the macro plays once.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/macro_record.h"

namespace talon::cli {

struct MacroText {
  std::uint8_t repeat = 1;
  std::vector<MacroAction> actions;
};

struct ParsedMacroText {
  std::optional<MacroText> macro;
  std::string error;  // "line 3: ..." when the text is refused
};

// Refuses unknown keys (naming the closest), pauses above 40000 ms, more than 2000 actions,
// a repeat count outside 1-255 and lines of any other form.
ParsedMacroText ParseMacroText(std::string_view text);
std::string FormatMacroText(const MacroRecord& macro);

}  // namespace talon::cli
