#pragma once
// Test doubles of the dialog ports: the answers are scripted in advance and every request is
// recorded, so a test can check what the user would have been shown.
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/file_dialog_port.h"
#include "platform/message_box_port.h"

namespace talon::test {

class ScriptedMessageBox : public MessageBoxPort {
 public:
  // Queues the answer to the next box.
  void Answer(MessageBoxResult result);
  // Without a queued answer a box is answered with its default button (the first button when
  // it names none), as if the user pressed Enter.
  MessageBoxResult Show(const MessageBoxRequest& request) override;

  std::vector<MessageBoxRequest> Shown() const;
  std::size_t PendingAnswers() const;

 private:
  mutable std::mutex mutex_;  // boxes may be shown from other threads
  std::deque<MessageBoxResult> answers_;
  std::vector<MessageBoxRequest> shown_;
};

class ScriptedFileDialog : public FileDialogPort {
 public:
  // Queues the next answer: a path, or nullopt for Cancel.
  void Answer(std::optional<std::filesystem::path> path);
  // Without a queued answer the dialog is cancelled.
  std::optional<std::filesystem::path> Ask(const FileDialogRequest& request) override;

  const std::vector<FileDialogRequest>& Shown() const { return shown_; }

 private:
  std::deque<std::optional<std::filesystem::path>> answers_;
  std::vector<FileDialogRequest> shown_;
};

// The result the first button of a set stands for.
MessageBoxResult FirstButtonOf(MessageBoxButtons buttons);

}  // namespace talon::test
