#include "ui/skin/message_event.h"

namespace talon {

QEvent::Type MessageEvent::EventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace talon
