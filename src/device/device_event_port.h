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
  // Called on a thread that waits for one of this port's handlers to end (detaching the port,
  // or ending the link): run whatever a handler may be waiting for that thread to do, such as a
  // call sent to the window whose thread is the one waiting. Nothing by default.
  virtual void ServeWaitingCalls() {}
};

}  // namespace talon
