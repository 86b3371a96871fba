#include "ui/skin/control_binding.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include "ui/skin/message_dialog.h"

namespace talon {

namespace {
constexpr char kIdProperty[] = "talonControlId";
}  // namespace

void SetControlId(QWidget& control, int id) {
  control.setProperty(kIdProperty, id);
}

int ControlIdOf(const QWidget& control) {
  return control.property(kIdProperty).toInt();
}

MessageDialog* OwnerDialogOf(const QWidget& control) {
  for (QWidget* w = control.parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (auto* dialog = dynamic_cast<MessageDialog*>(w)) return dialog;
  }
  return nullptr;
}

void BindControl(QWidget& control, int id) {
  SetControlId(control, id);
  QWidget* c = &control;
  auto send = [c](Notification code) { SendCommandToOwner(*c, code); };
  if (auto* button = qobject_cast<QAbstractButton*>(c)) {
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [send] { send(Notification::kClicked); });
  } else if (auto* combo = qobject_cast<QComboBox*>(c)) {
    // activated: the user's choice only, never the program's own setCurrentIndex.
    QObject::connect(combo, &QComboBox::activated, combo,
                     [send] { send(Notification::kSelChange); });
    QObject::connect(combo, &QComboBox::editTextChanged, combo, [combo, send] {
      if (combo->lineEdit() != nullptr && combo->lineEdit()->isModified()) {
        send(Notification::kEditChange);
      }
    });
  } else if (auto* edit = qobject_cast<QLineEdit*>(c)) {
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [send] { send(Notification::kTextChange); });
  }
}

void SendCommandToOwner(const QWidget& control, Notification code) {
  if (MessageDialog* owner = OwnerDialogOf(control)) {
    owner->Send(msg::kCommand, MakeCommandWParam(ControlIdOf(control), code), 0);
  }
}

void PostToOwner(const QWidget& control, MessageId message, WParam w, LParam l) {
  if (MessageDialog* owner = OwnerDialogOf(control)) owner->Post(message, w, l);
}

}  // namespace talon
