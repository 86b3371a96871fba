#pragma once
// The window messages the program's dialogs exchange: a numeric id with two parameters, as the
// dialogs were designed around. Private messages carry a four-letter tag in wParam.
#include <cstdint>
#include <string_view>

namespace talon {

using MessageId = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// Message ids the layer itself produces or understands.
namespace msg {
inline constexpr MessageId kKeyDown = 0x0100;
inline constexpr MessageId kKeyUp = 0x0101;
inline constexpr MessageId kSysKeyDown = 0x0104;
inline constexpr MessageId kSysKeyUp = 0x0105;
inline constexpr MessageId kCommand = 0x0111;  // wParam = control id | notification << 16
inline constexpr MessageId kTimer = 0x0113;    // wParam = timer id
inline constexpr MessageId kHelp = 0x0053;     // F1 or a help button: open the help page
}  // namespace msg

// What a control reports to its dialog, with the codes the dialogs were designed with.
enum class Notification : std::uint16_t {
  kClicked = 0,        // a button was clicked (or a colour chosen)
  kSelChange = 1,      // a combo box's selection changed by the user
  kEditChange = 5,     // the text in a combo box's edit field changed
  kTextChange = 0x300  // an edit control's text changed
};

// The multi-character constant of up to four letters: MessageTag("OPEN") == 0x4F50454E,
// MessageTag("LED") == 0x004C4544.
consteval std::uint32_t MessageTag(std::string_view letters) {
  std::uint32_t tag = 0;
  for (char c : letters) tag = (tag << 8) | static_cast<unsigned char>(c);
  return tag;
}

constexpr WParam MakeCommandWParam(int control_id, Notification code) {
  return (static_cast<WParam>(static_cast<std::uint16_t>(code)) << 16) |
         static_cast<std::uint16_t>(control_id);
}
constexpr int CommandControlId(WParam w) {
  return static_cast<int>(w & 0xFFFF);
}
constexpr Notification CommandNotification(WParam w) {
  return static_cast<Notification>((w >> 16) & 0xFFFF);
}

}  // namespace talon
