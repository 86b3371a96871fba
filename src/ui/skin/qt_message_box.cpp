#include "ui/skin/qt_message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

#include <iterator>

namespace talon {

namespace {

struct ButtonCode {
  QMessageBox::StandardButton button;
  MessageBoxResult result;
};

constexpr ButtonCode kButtonCodes[] = {
    {QMessageBox::Ok, MessageBoxResult::kOk},
    {QMessageBox::Cancel, MessageBoxResult::kCancel},
    {QMessageBox::Retry, MessageBoxResult::kRetry},
    {QMessageBox::Yes, MessageBoxResult::kYes},
    {QMessageBox::No, MessageBoxResult::kNo},
};

QMessageBox::StandardButtons ButtonsOf(MessageBoxButtons buttons) {
  switch (buttons) {
    case MessageBoxButtons::kOk:
      return QMessageBox::Ok;
    case MessageBoxButtons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBoxButtons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageBoxButtons::kYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageBoxButtons::kRetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// The set's button that closing the box stands for.
QMessageBox::StandardButton EscapeOf(MessageBoxButtons buttons) {
  switch (buttons) {
    case MessageBoxButtons::kOk:
      return QMessageBox::Ok;
    case MessageBoxButtons::kYesNo:
      return QMessageBox::No;
    default:
      return QMessageBox::Cancel;
  }
}

QMessageBox::StandardButton ButtonOf(MessageBoxResult result) {
  for (const ButtonCode& c : kButtonCodes) {
    if (c.result == result) return c.button;
  }
  return QMessageBox::NoButton;
}

MessageBoxResult ResultOf(int button) {
  for (const ButtonCode& c : kButtonCodes) {
    if (c.button == button) return c.result;
  }
  return MessageBoxResult::kNone;
}

}  // namespace

MessageBoxResult QtMessageBox::Show(const MessageBoxRequest& request) {
  if (QThread::currentThread() == QCoreApplication::instance()->thread()) return ShowHere(request);
  MessageBoxResult result = MessageBoxResult::kNone;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [&] { result = ShowHere(request); },
      Qt::BlockingQueuedConnection);
  return result;
}

MessageBoxResult QtMessageBox::ShowHere(const MessageBoxRequest& request) {
  QMessageBox box(parent_);
  box.setText(QString::fromStdString(request.text));
  box.setWindowTitle(QString::fromStdString(request.caption));
  box.setStandardButtons(ButtonsOf(request.buttons));
  box.setEscapeButton(EscapeOf(request.buttons));
  if (QMessageBox::StandardButton def = ButtonOf(request.default_button);
      def != QMessageBox::NoButton && box.button(def) != nullptr) {
    box.setDefaultButton(def);
  }
  if (request.topmost) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  const int answer = box.exec();
  const MessageBoxResult result = ResultOf(answer);
  return result != MessageBoxResult::kNone ? result : ResultOf(EscapeOf(request.buttons));
}

}  // namespace talon
