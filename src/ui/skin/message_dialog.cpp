#include "ui/skin/message_dialog.h"

#include <QCoreApplication>
#include <QThread>

#include "ui/skin/control_binding.h"
#include "ui/skin/keyboard_filter.h"
#include "ui/skin/message_event.h"
#include "ui/skin/window_timers.h"

namespace talon {

MessageDialog::MessageDialog(QWidget* parent)
    : QDialog(parent),
      timers_(new WindowTimers(this, [this](std::uint32_t id) { WindowProc(msg::kTimer, id, 0); })),
      send_gate_(std::make_shared<SendGate>()) {
  KeyboardFilter::Instance();
}

MessageDialog::~MessageDialog() {
  AbandonSends();
}

const MessageMap& MessageDialog::GetMessageMap() const {
  return ClassMessageMap();
}

const MessageMap& MessageDialog::ClassMessageMap() {
  static constexpr MessageMap kMap{};
  return kMap;
}

LResult MessageDialog::Send(MessageId message, WParam w, LParam l) {
  if (QThread::currentThread() == thread()) return WindowProc(message, w, l);
  const std::shared_ptr<SendGate> gate = send_gate_;
  auto call = std::make_shared<SentMessageEvent::Call>();
  {
    std::lock_guard lock(gate->mutex);
    if (gate->closed) return 0;
  }
  QCoreApplication::postEvent(this, new SentMessageEvent(message, w, l, gate, call));
  std::unique_lock lock(gate->mutex);
  gate->changed.wait(lock, [&] { return call->done || gate->closed; });
  return call->done ? call->result : 0;
}

void MessageDialog::AbandonSends() {
  {
    std::lock_guard lock(send_gate_->mutex);
    send_gate_->closed = true;
  }
  send_gate_->changed.notify_all();
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

QWidget* MessageDialog::Control(int control_id) const {
  if (control_id == 0) return nullptr;
  for (QWidget* child : findChildren<QWidget*>()) {
    if (ControlIdOf(*child) == control_id) return child;
  }
  return nullptr;
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
  if (e->type() == SentMessageEvent::EventType()) {
    auto* m = static_cast<SentMessageEvent*>(e);
    if (!m->GateClosed()) m->Finish(WindowProc(m->message(), m->wparam(), m->lparam()));
    return true;
  }
  return QDialog::event(e);
}

}  // namespace talon
