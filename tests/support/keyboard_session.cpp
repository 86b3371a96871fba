#include "keyboard_session.h"

namespace talon::test {

void RecordingEventPort::OnPresenceCount(int count) {
  std::lock_guard lock(mutex_);
  presence_.push_back(count);
}

void RecordingEventPort::OnConsumerCode(std::uint16_t code) {
  std::lock_guard lock(mutex_);
  codes_.push_back(code);
}

std::vector<int> RecordingEventPort::presence() const {
  std::lock_guard lock(mutex_);
  return presence_;
}

std::vector<std::uint16_t> RecordingEventPort::consumer_codes() const {
  std::lock_guard lock(mutex_);
  return codes_;
}

namespace {

VirtualKeyboardControl& ResetFirst(VirtualKeyboardControl& vkb) {
  if (vkb.bound()) vkb.Reset();
  return vkb;
}

}  // namespace

KeyboardSession::KeyboardSession(ExchangeTimings timings, DeviceEventPort* port)
    : link(timings),
      commands(link, timings),
      start_result((ResetFirst(vkb), link.Start(port != nullptr ? port : &recorded))) {}

}  // namespace talon::test
