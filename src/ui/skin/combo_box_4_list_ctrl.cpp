#include "ui/skin/combo_box_4_list_ctrl.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "ui/skin/qt_keystroke.h"

namespace talon {

CComboBox4ListCtrl::CComboBox4ListCtrl(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentIndexChanged, this, [this] { changed_ = true; });
  // activated: only the user's choices, from the list or with the arrow keys.
  connect(this, &QComboBox::activated, this, [this] {
    if (changed_) PostStoredMessage();
    changed_ = false;
  });
}

void CComboBox4ListCtrl::SetStoredMessage(MessageId message, WParam w, LParam l) {
  message_ = message;
  w_ = w;
  l_ = l;
}

void CComboBox4ListCtrl::showPopup() {
  // Whatever the owner preset before the user opened the list is no choice of the user's.
  changed_ = false;
  QComboBox::showPopup();
}

void CComboBox4ListCtrl::PostStoredMessage() {
  if (message_ != msg::kKeyDown && message_ != msg::kKeyUp) return;
  const int key = QtKeyOfEditingVirtualKey(static_cast<unsigned>(w_));
  if (key == 0) return;
  const QEvent::Type type = message_ == msg::kKeyDown ? QEvent::KeyPress : QEvent::KeyRelease;
  QCoreApplication::postEvent(this, new QKeyEvent(type, key, Qt::NoModifier));
}

}  // namespace talon
