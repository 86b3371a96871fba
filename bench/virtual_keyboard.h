#pragma once
// The benchmarks' way into the virtual keyboard behind libKbBridge.so (the same library object
// the device link binds): its answer latency and the log of the reports it received. A run on
// any other build of the library ends with a message, since nothing could be counted.
#include <cstdint>

#include "device/device_link.h"

namespace talon::bench {

class VirtualKeyboard {
 public:
  // Binds the control entry points once per process, with a state file of the benchmarks' own
  // so that a run never touches a demo keyboard's settings.
  static VirtualKeyboard& Get();

  void SetLatency(std::uint32_t microseconds) const { set_latency_(microseconds); }
  std::uint32_t FrameCount() const { return frame_count_(); }
  void ClearLog() const { clear_log_(); }

 private:
  VirtualKeyboard();

  void (*set_latency_)(std::uint32_t) = nullptr;
  std::uint32_t (*frame_count_)() = nullptr;
  void (*clear_log_)() = nullptr;
};

// A started link to the virtual keyboard with the program's own timings, kept until the process
// ends like the program's: destroying it at exit would call into a library whose statics may
// already be gone.
DeviceLink& StartedLink();

}  // namespace talon::bench
