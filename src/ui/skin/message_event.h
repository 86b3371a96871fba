#pragma once
// A posted window message travelling through the Qt event queue.
#include <QEvent>

#include "ui/skin/window_message.h"

namespace talon {

class MessageEvent : public QEvent {
 public:
  MessageEvent(MessageId message, WParam w, LParam l)
      : QEvent(EventType()), message_(message), w_(w), l_(l) {}

  static QEvent::Type EventType();

  MessageId message() const { return message_; }
  WParam wparam() const { return w_; }
  LParam lparam() const { return l_; }

 private:
  MessageId message_;
  WParam w_;
  LParam l_;
};

}  // namespace talon
