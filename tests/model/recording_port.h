#pragma once
// Records what the model asks of the user interface and answers message boxes with a scripted
// answer.
#include <utility>
#include <vector>

#include "model/model_port.h"

namespace talon::test {

class RecordingPort : public ModelPort {
 public:
  MessageAnswer ShowMessage(const MessageRequest& request) override {
    messages.push_back(request);
    return answer;
  }
  void RedrawKeyButton(KeySlot slot, int profile) override { redrawn.emplace_back(slot, profile); }
  void ReloadKeyButtons() override { ++reloads; }
  void SetApplyEnabled(bool enabled) override { apply.push_back(enabled); }

  std::vector<std::string> MessageKeys() const {
    std::vector<std::string> keys;
    for (const MessageRequest& m : messages) keys.push_back(m.text_key);
    return keys;
  }

  MessageAnswer answer = MessageAnswer::kOk;
  std::vector<MessageRequest> messages;
  std::vector<std::pair<KeySlot, int>> redrawn;
  int reloads = 0;
  std::vector<bool> apply;
};

}  // namespace talon::test
