#pragma once
// How the model reaches the user interface: message boxes by language key, and the main
// window's key buttons and Apply command. The interface implements it; tests record it.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "model/key_table.h"
#include "platform/text_lookup.h"

namespace talon {

using TextArgument = std::variant<std::int64_t, std::string>;

enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

struct MessageRequest {
  std::string text_key;                 // language key of a text, a format when it has arguments
  std::vector<TextArgument> arguments;  // at most one
  MessageButtons buttons = MessageButtons::kOk;
  bool topmost = false;
};

// The request's text in the current language, its format filled with the argument.
std::string MessageText(const MessageRequest& request, const TextLookup& texts);

class ModelPort {
 public:
  virtual ~ModelPort() = default;
  virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
  // Redraw the button of one key record (slot 0-273) of a profile, if it is shown.
  virtual void RedrawKeyButton(KeySlot slot, int profile) = 0;
  // Redraw every key and G button from the active profile's records.
  virtual void ReloadKeyButtons() = 0;
  virtual void SetApplyEnabled(bool enabled) = 0;
};

}  // namespace talon
