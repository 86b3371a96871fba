#pragma once
// What the key assignment dialog does with a keystroke while it captures a key (key page) or
// records a macro (macro page). Keystrokes come as (virtual-key code, keystroke flags), the form
// the application's keystroke hooks hand out.
#include <cstdint>

#include "model/key_table.h"

namespace talon {

// The mouse functions a key can be given, in the order of the mouse drop-down.
inline constexpr KeyId kMouseKeys[] = {key::kLeftButton, key::kRightButton, key::kMiddleButton,
                                       key::kRollUp, key::kRollDown};
inline constexpr const char* kMouseKeyTexts[] = {"IDS_KEYBOARD_MOU_LEFT", "IDS_KEYBOARD_MOU_RIGHT",
                                                 "IDS_KEYBOARD_MOU_MIDDLE", "IDS_KEYBOARD_ROLL_UP",
                                                 "IDS_KEYBOARD_ROLL_DOWN"};
// The drop-down entry of a mouse key; -1 for any other key.
int MouseEntryOfKey(KeyId key);

struct CaptureOutcome {
  bool swallow = false;
  KeyId captured = 0;  // 0: nothing captured
};

// Key page. The Win and App keys are always captured, press or release, whatever the choice
// buttons say (the desktop would otherwise act on them). Any other key but the media keys is
// swallowed; it is captured when the keyboard choice is checked and it is a first press (not an
// auto-repeat). Print Screen is captured on every notification, release included, since some
// desktops deliver only its release.
CaptureOutcome CaptureKeystroke(std::uint8_t vk, std::uint32_t flags, bool keyboard_choice);

struct RecordOutcome {
  bool swallow = false;
  KeyId key = 0;  // 0: nothing to record
  bool release = false;
  // Sys Req, KL, KR and Print Screen are recorded with a press before every notification, so a
  // macro never holds a release of a key it did not press.
  bool press_first = false;
};

// Macro page while recording: every keystroke but the media keys is swallowed; auto-repeated
// presses record nothing. Left and right Win keep their own repeat memory, since the desktop
// may not mark their repeats.
class KeystrokeRecorder {
 public:
  RecordOutcome Take(std::uint8_t vk, std::uint32_t flags);
  void Reset() { win_down_ = 0; }

 private:
  std::uint8_t win_down_ = 0;
};

}  // namespace talon
