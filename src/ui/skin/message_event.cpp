#include "ui/skin/message_event.h"

namespace talon {

QEvent::Type MessageEvent::EventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

QEvent::Type SentMessageEvent::EventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

bool SentMessageEvent::GateClosed() const {
  std::lock_guard lock(gate_->mutex);
  return gate_->closed;
}

void SentMessageEvent::Finish(LResult result) {
  {
    std::lock_guard lock(gate_->mutex);
    if (call_->done) return;
    call_->done = true;
    call_->result = result;
  }
  gate_->changed.notify_all();
}

}  // namespace talon
