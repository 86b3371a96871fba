#pragma once
// Window messages travelling through the Qt event queue: posted ones, and sent ones whose sender
// waits on another thread for the result.
#include <QEvent>

#include <condition_variable>
#include <memory>
#include <mutex>

#include "ui/skin/window_message.h"

namespace talon {

class MessageEvent : public QEvent {
 public:
  MessageEvent(MessageId message, WParam w, LParam l) : MessageEvent(EventType(), message, w, l) {}

  static QEvent::Type EventType();

  MessageId message() const { return message_; }
  WParam wparam() const { return w_; }
  LParam lparam() const { return l_; }

 protected:
  MessageEvent(QEvent::Type type, MessageId message, WParam w, LParam l)
      : QEvent(type), message_(message), w_(w), l_(l) {}

 private:
  MessageId message_;
  WParam w_;
  LParam l_;
};

// What the senders waiting on a window share with it: once closed, every waiting sender is
// released with 0 and new ones are not queued.
struct SendGate {
  std::mutex mutex;
  std::condition_variable changed;
  bool closed = false;
};

// A message sent from another thread. The sender waits until the window has handled it, the
// gate closes, or the event is dropped unhandled (its window was destroyed first).
class SentMessageEvent : public MessageEvent {
 public:
  struct Call {
    bool done = false;
    LResult result = 0;
  };

  SentMessageEvent(MessageId message, WParam w, LParam l, std::shared_ptr<SendGate> gate,
                   std::shared_ptr<Call> call)
      : MessageEvent(EventType(), message, w, l), gate_(std::move(gate)), call_(std::move(call)) {}
  ~SentMessageEvent() override { Finish(0); }

  static QEvent::Type EventType();

  bool GateClosed() const;
  // Hands the result to the sender (only the first call counts).
  void Finish(LResult result);

 private:
  std::shared_ptr<SendGate> gate_;
  std::shared_ptr<Call> call_;
};

}  // namespace talon
