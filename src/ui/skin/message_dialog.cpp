#include "ui/skin/message_dialog.h"

#include <QCoreApplication>
#include <QThread>

#include "ui/skin/keyboard_filter.h"
#include "ui/skin/message_event.h"
#include "ui/skin/window_timers.h"

namespace talon {

MessageDialog::MessageDialog(QWidget* parent)
    : QDialog(parent),
      timers_(
          new WindowTimers(this, [this](std::uint32_t id) { WindowProc(msg::kTimer, id, 0); })) {
  KeyboardFilter::Instance();
}

MessageDialog::~MessageDialog() = default;

const MessageMap& MessageDialog::GetMessageMap() const {
  return ClassMessageMap();
}

const MessageMap& MessageDialog::ClassMessageMap() {
  static constexpr MessageMap kMap{};
  return kMap;
}

LResult MessageDialog::Send(MessageId message, WParam w, LParam l) {
  if (QThread::currentThread() == thread()) return WindowProc(message, w, l);
  LResult result = 0;
  QMetaObject::invokeMethod(
      this, [this, message, w, l, &result] { result = WindowProc(message, w, l); },
      Qt::BlockingQueuedConnection);
  return result;
}

void MessageDialog::Post(MessageId message, WParam w, LParam l) {
  QCoreApplication::postEvent(this, new MessageEvent(message, w, l));
}

void MessageDialog::SetTimer(std::uint32_t timer_id, int milliseconds) {
  if (QThread::currentThread() == thread()) {
    timers_->Set(timer_id, milliseconds);
  } else {
    QMetaObject::invokeMethod(
        this, [this, timer_id, milliseconds] { timers_->Set(timer_id, milliseconds); },
        Qt::QueuedConnection);
  }
}

void MessageDialog::KillTimer(std::uint32_t timer_id) {
  if (QThread::currentThread() == thread()) {
    timers_->Kill(timer_id);
  } else {
    QMetaObject::invokeMethod(
        this, [this, timer_id] { timers_->Kill(timer_id); }, Qt::QueuedConnection);
  }
}

bool MessageDialog::IsTimerRunning(std::uint32_t timer_id) const {
  return timers_->IsRunning(timer_id);
}

bool MessageDialog::PreTranslateKey(const KeyMessage&) {
  return false;
}

LResult MessageDialog::WindowProc(MessageId message, WParam w, LParam l) {
  if (message == msg::kCommand) return RouteCommand(w);
  const MessageEntry* entry = FindMessageEntry(GetMessageMap(), message);
  if (entry == nullptr || !AcceptsMessage(*entry, w)) return 0;
  return entry->handler(*this, w, l);
}

LResult MessageDialog::RouteCommand(WParam w) {
  const CommandEntry* entry =
      FindCommandEntry(GetMessageMap(), CommandControlId(w), CommandNotification(w));
  if (entry != nullptr) entry->handler(*this, CommandControlId(w));
  return 0;
}

bool MessageDialog::event(QEvent* e) {
  if (e->type() == MessageEvent::EventType()) {
    const auto* m = static_cast<const MessageEvent*>(e);
    WindowProc(m->message(), m->wparam(), m->lparam());
    return true;
  }
  return QDialog::event(e);
}

}  // namespace talon
