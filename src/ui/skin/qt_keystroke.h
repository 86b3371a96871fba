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
// no key for. Native scan codes (X11 and Wayland key codes, evdev + 8) are used when present and
// `linux_native_codes` says the platform's native codes are of that kind; otherwise the Qt key.
std::optional<Keystroke> KeystrokeOfKeyEvent(const QKeyEvent& event, bool linux_native_codes);
// The same, for the running platform.
std::optional<Keystroke> KeystrokeOfKeyEvent(const QKeyEvent& event);

// The Qt key of Enter (0x0D), Escape (0x1B) and Tab (0x09), the keys that end or keep an edit;
// 0 for any other virtual-key code.
int QtKeyOfEditingVirtualKey(unsigned vk);

}  // namespace talon
