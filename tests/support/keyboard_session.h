#pragma once
// A started device link and command set against the virtual keyboard, loaded through the real
// loader, with short exchange timings so that fault cases run quickly. The virtual keyboard is
// reset to its factory state (plugged, no faults, empty log) before the link starts.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

#include "device/device_event_port.h"
#include "device/device_link.h"
#include "device/keyboard_commands.h"
#include "virtual_keyboard_control.h"

namespace talon::test {

inline ExchangeTimings FastTimings() {
  ExchangeTimings t;
  t.answer_wait = std::chrono::milliseconds(150);
  t.retry_pause = std::chrono::milliseconds(1);
  t.end_config_pause = std::chrono::milliseconds(0);
  return t;
}

// Records what the link hands to its event port.
class RecordingEventPort : public DeviceEventPort {
 public:
  void OnPresenceCount(int count) override;
  void OnConsumerCode(std::uint16_t code) override;
  std::vector<int> presence() const;
  std::vector<std::uint16_t> consumer_codes() const;

 private:
  mutable std::mutex mutex_;
  std::vector<int> presence_;
  std::vector<std::uint16_t> codes_;
};

class KeyboardSession {
 public:
  explicit KeyboardSession(ExchangeTimings timings = FastTimings(),
                           DeviceEventPort* port = nullptr);

  VirtualKeyboardControl vkb;
  RecordingEventPort recorded;
  DeviceLink link;
  KeyboardCommands commands;
  StartResult start_result;
};

}  // namespace talon::test
