#pragma once
// A keystroke as the dialogs' keyboard filters see it: key-down or key-up message, Windows
// virtual-key code and keystroke flags (see platform/keystroke.h), and the widget it is going to.
#include <cstdint>

#include "ui/skin/window_message.h"

class QWidget;

namespace talon {

struct KeyMessage {
  MessageId message = msg::kKeyDown;  // kKeyDown, kKeyUp, kSysKeyDown or kSysKeyUp
  std::uint8_t vk = 0;
  std::uint32_t flags = 0;
  QWidget* target = nullptr;  // the widget with the keyboard focus
};

// A widget that looks at the keystrokes bound for it or for a widget inside it before they
// arrive: the dialogs, and a list while it edits a cell. The innermost is asked first, as the
// dialogs were designed; true swallows the keystroke.
class KeyPreTranslator {
 public:
  virtual bool PreTranslateKey(const KeyMessage& key) = 0;

 protected:
  ~KeyPreTranslator() = default;
};

}  // namespace talon
