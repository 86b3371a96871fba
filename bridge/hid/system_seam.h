#pragma once
// What the library needs from the system besides hidapi: a hidraw node's report descriptor and
// word of devices coming and going. Defined apart from the library's logic (system_linux.cpp
// in the shared library), so the tests link a fake of their own beside the fake hidapi.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace talon::bridge {

// The report descriptor of the device behind a hidraw path, as the kernel holds it; nullopt
// when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadReportDescriptor(const std::string& path);

class HotplugMonitor {
 public:
  virtual ~HotplugMonitor() = default;
  // False when the system gives no word of changes: the caller then re-enumerates often.
  virtual bool live() const = 0;
  // Returns when a HID device may have come or gone, when Wake was called, or after `timeout`.
  virtual void Wait(std::chrono::milliseconds timeout) = 0;
  // Ends a Wait under way (or the next one) at once; callable from any thread.
  virtual void Wake() = 0;
};

std::unique_ptr<HotplugMonitor> MakeHotplugMonitor();

}  // namespace talon::bridge
