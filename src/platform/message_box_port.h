#pragma once
// How the core shows a plain message box: text, caption, buttons and the default button in,
// the button the user chose out. The user interface implements it; tests script the answers.
#include <string>

namespace talon {

enum class MessageBoxButtons { kOk, kOkCancel, kYesNo, kYesNoCancel, kRetryCancel };

// The platform's result numbers, which callers compare against.
enum class MessageBoxResult : int {
  kNone = 0,  // as the default button: the first button of the set
  kOk = 1,
  kCancel = 2,
  kRetry = 4,
  kYes = 6,
  kNo = 7,
};

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  MessageBoxButtons buttons = MessageBoxButtons::kOk;
  MessageBoxResult default_button = MessageBoxResult::kNone;
  bool topmost = false;  // stays above every other window
  bool operator==(const MessageBoxRequest&) const = default;
};

class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  // Blocks until the user answers; callable from any thread. Closing the box counts as Cancel,
  // or as No when there is no Cancel button, or as OK for a box with OK alone.
  virtual MessageBoxResult Show(const MessageBoxRequest& request) = 0;
};

}  // namespace talon
