#pragma once
// The message layer of a dialog: window messages and control commands routed through the
// class's static MessageMap, Send and Post, timers by numeric id, and the pre-translation of
// keystrokes before any control sees them.
#include <QDialog>

#include <cstdint>
#include <memory>

#include "ui/skin/key_message.h"
#include "ui/skin/message_map.h"

namespace talon {

class WindowTimers;
struct SendGate;

class MessageDialog : public QDialog, public KeyPreTranslator {
 public:
  explicit MessageDialog(QWidget* parent = nullptr);
  ~MessageDialog() override;

  // The table of the object's class: every class that routes anything has a static
  // ClassMessageMap (naming its base class's) and overrides this to return it.
  virtual const MessageMap& GetMessageMap() const;
  static const MessageMap& ClassMessageMap();

  // Runs the message on the window's thread and returns the handler's result. From another
  // thread the caller blocks until the window's thread has handled it, so that thread must not be
  // waiting for the caller, or until the window stops taking sent messages (AbandonSends, or it
  // is destroyed): then 0. A message without a handler (or with a wrong tag) gives 0.
  LResult Send(MessageId message, WParam w = 0, LParam l = 0);
  // From now on messages sent from other threads are not handled: blocked senders return 0 at
  // once, later ones do not wait. A window that is going away calls it before it waits for a
  // thread that may be sending to it.
  void AbandonSends();
  // Queues the message for the window's thread and returns at once; callable from any thread.
  void Post(MessageId message, WParam w = 0, LParam l = 0);

  // kTimer messages with wParam = timer_id every `milliseconds`; callable from any thread.
  void SetTimer(std::uint32_t timer_id, int milliseconds);
  void KillTimer(std::uint32_t timer_id);
  // Callable from any thread.
  bool IsTimerRunning(std::uint32_t timer_id) const;

  // The control with this id among the dialog's widgets (SetControlId / BindControl); null when
  // there is none.
  QWidget* Control(int control_id) const;
  template <class T>
  T* ControlAs(int control_id) const {
    return dynamic_cast<T*>(Control(control_id));
  }

  // Keyboard filter, called for every keystroke bound for this dialog or any widget inside it,
  // before the widget sees it (and after the application's keystroke hooks and any list inside
  // that edits a cell). True swallows it.
  bool PreTranslateKey(const KeyMessage& key) override;

 protected:
  // Routes one message: commands (msg::kCommand) to the command entries, everything else to the
  // message entries. Overrides may handle messages before or after the table.
  virtual LResult WindowProc(MessageId message, WParam w, LParam l);
  bool event(QEvent* e) override;

 private:
  LResult RouteCommand(WParam w);

  WindowTimers* timers_;
  std::shared_ptr<SendGate> send_gate_;
};

}  // namespace talon
