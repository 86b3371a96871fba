#pragma once
// Follows the keyboard coming and going and acts on the codes its own keys raise.
//
// Presence changes are handled one at a time, in the order they arrive, on a worker of their
// own: an arrival exchanges reports and waits for the main window, which the library's callback
// thread must never do. Tray picture changes have a worker of their own too, so they are not
// held up by an arrival waiting for the window. Only the G-bank key is handled on the
// callback's thread.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>

#include "device/device_event_port.h"
#include "device/device_link.h"
#include "device/keyboard_commands.h"
#include "device/presence_port.h"
#include "platform/serial_worker.h"

namespace talon {

namespace consumer_code {
inline constexpr std::uint16_t kGBankSwitch = 0x02FF;
inline constexpr std::uint16_t kSettingsChanged = 0x0401;
inline constexpr std::uint16_t kPlayEnded = 0x1810;
inline constexpr std::uint16_t kPlayStarted = 0x1811;
}  // namespace consumer_code

class KeyboardPresence : public DeviceEventPort {
 public:
  KeyboardPresence(DeviceLink& link, KeyboardCommands& commands, PresencePort& port,
                   std::chrono::milliseconds ready_poll = std::chrono::milliseconds(50));
  // Takes itself off the link and waits for the handlers under way, serving the window calls
  // they wait for (PresencePort::ServeWaitingCalls); changes still queued are dropped.
  ~KeyboardPresence() override;
  KeyboardPresence(const KeyboardPresence&) = delete;
  KeyboardPresence& operator=(const KeyboardPresence&) = delete;

  // While set, the next presence change does not open the window ("/Start", or no keyboard at
  // start-up). The first change handled sets it for good.
  void SetQuietStart() { quiet_start_ = true; }
  bool quiet_start() const { return quiet_start_; }

  // The tray picture that the play symbol gives way to again.
  int remembered_tray_picture() const { return remembered_picture_; }

  // Blocks until every change and tray update received so far has been handled.
  void WaitIdle();

  void OnPresenceCount(int count) override;
  void OnConsumerCode(std::uint16_t code) override;
  void ServeWaitingCalls() override { port_.ServeWaitingCalls(); }

 private:
  void HandlePresence(int count);
  void HandleTray(std::uint16_t code);
  void SwitchGBank();
  // Queues a task on a worker, counted until it has run.
  void PostCounted(SerialWorker& worker, std::function<void()> task);

  DeviceLink& link_;
  KeyboardCommands& commands_;
  PresencePort& port_;
  std::chrono::milliseconds ready_poll_;

  std::atomic<bool> closing_{false};
  std::atomic<int> queued_tasks_{0};
  std::atomic<bool> quiet_start_{false};
  std::atomic<int> remembered_picture_{kTrayNoKeyboard};
  int last_count_ = 0;  // only the presence worker touches it
  std::mutex gbank_mutex_;

  // Declared last: destroyed first, so no task runs on a half-destroyed object.
  SerialWorker tray_worker_;
  SerialWorker presence_worker_;
};

}  // namespace talon
