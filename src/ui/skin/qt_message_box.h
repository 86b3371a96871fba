#pragma once
// Message boxes shown with QMessageBox, always on the user-interface thread.
#include "platform/message_box_port.h"

class QWidget;

namespace talon {

class QtMessageBox : public MessageBoxPort {
 public:
  // `parent` (optional) is the window the boxes are centred on; it must outlive this object.
  explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}

  MessageBoxResult Show(const MessageBoxRequest& request) override;

 private:
  MessageBoxResult ShowHere(const MessageBoxRequest& request);

  QWidget* parent_;
};

}  // namespace talon
