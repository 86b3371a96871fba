#pragma once
// Open and save dialogs shown with QFileDialog.
#include "platform/file_dialog_port.h"

class QWidget;

namespace talon {

class QtFileDialog : public FileDialogPort {
 public:
  explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}

  std::optional<std::filesystem::path> Ask(const FileDialogRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace talon
