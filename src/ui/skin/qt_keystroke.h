#pragma once
// Turning Qt key events into keystrokes (virtual-key code and keystroke flags).
#include <optional>

#include "platform/keystroke.h"

class QKeyEvent;

namespace talon {

// The Linux key code of a Qt key, for events that come without a native scan code (synthesised
// events, platforms without one). Shifted symbols give their unshifted key on a US layout;
// `keypad` selects the keypad's keys. 0 when there is none.
unsigned KeyCodeOfQtKey(int qt_key, bool keypad);

// The keystroke of a key press or release; nullopt for other events and for keys the program has
// no key for. Native scan codes (X11 and Wayland key codes, evdev + 8) are used when present.
std::optional<Keystroke> KeystrokeOfKeyEvent(const QKeyEvent& event);

}  // namespace talon
