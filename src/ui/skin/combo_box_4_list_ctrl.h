#pragma once
// CComboBox4ListCtrl: the drop-down list an owner lays over a cell of a CReportCtrl. When the
// user changes its selection it posts its stored message to itself; with the key-down message
// and Enter stored, the list takes it as Enter during an edit and ends the edit at once, so one
// click on an entry commits it. Closing the drop-down does nothing by itself.
#include <QComboBox>

#include "ui/skin/window_message.h"

namespace talon {

class CComboBox4ListCtrl : public QComboBox {
 public:
  explicit CComboBox4ListCtrl(QWidget* parent = nullptr);

  // Only key messages (msg::kKeyDown / kKeyUp with a virtual-key code in wParam) can be posted
  // to a widget; other messages are kept but not posted.
  void SetStoredMessage(MessageId message, WParam w, LParam l);
  MessageId StoredMessage() const { return message_; }
  WParam StoredWParam() const { return w_; }
  LParam StoredLParam() const { return l_; }

  void SetNotifyWindow(QWidget* window) { notify_window_ = window; }
  QWidget* NotifyWindow() const { return notify_window_; }

  void showPopup() override;

 private:
  void PostStoredMessage();

  QWidget* notify_window_ = nullptr;
  MessageId message_ = 0;
  WParam w_ = 0;
  LParam l_ = 0;
  bool changed_ = false;  // the selection changed since the drop-down opened
};

}  // namespace talon
