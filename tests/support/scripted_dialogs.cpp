#include "scripted_dialogs.h"

namespace talon::test {

MessageBoxResult FirstButtonOf(MessageBoxButtons buttons) {
  switch (buttons) {
    case MessageBoxButtons::kOk:
    case MessageBoxButtons::kOkCancel:
      return MessageBoxResult::kOk;
    case MessageBoxButtons::kYesNo:
    case MessageBoxButtons::kYesNoCancel:
      return MessageBoxResult::kYes;
    case MessageBoxButtons::kRetryCancel:
      return MessageBoxResult::kRetry;
  }
  return MessageBoxResult::kOk;
}

void ScriptedMessageBox::Answer(MessageBoxResult result) {
  std::lock_guard lock(mutex_);
  answers_.push_back(result);
}

MessageBoxResult ScriptedMessageBox::Show(const MessageBoxRequest& request) {
  std::lock_guard lock(mutex_);
  shown_.push_back(request);
  if (!answers_.empty()) {
    const MessageBoxResult result = answers_.front();
    answers_.pop_front();
    return result;
  }
  return request.default_button != MessageBoxResult::kNone ? request.default_button
                                                           : FirstButtonOf(request.buttons);
}

std::vector<MessageBoxRequest> ScriptedMessageBox::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

std::size_t ScriptedMessageBox::PendingAnswers() const {
  std::lock_guard lock(mutex_);
  return answers_.size();
}

void ScriptedFileDialog::Answer(std::optional<std::filesystem::path> path) {
  answers_.push_back(std::move(path));
}

std::optional<std::filesystem::path> ScriptedFileDialog::Ask(const FileDialogRequest& request) {
  shown_.push_back(request);
  if (answers_.empty()) return std::nullopt;
  std::optional<std::filesystem::path> answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

}  // namespace talon::test
