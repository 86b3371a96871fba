#pragma once
#include <cstdint>

namespace talon {

// Where the device link hands what the keyboard raises by itself. Called on the service
// library's threads; implementations return quickly and never wait for an exchange.
class DeviceEventPort {
 public:
  virtual ~DeviceEventPort() = default;
  // The number of keyboards on the configuration channel, at start-up and on every change.
  virtual void OnPresenceCount(int count) = 0;
  // A consumer-control code from the keyboard's own keys.
  virtual void OnConsumerCode(std::uint16_t code) = 0;
};

}  // namespace talon
