#pragma once
// The benchmarks' way into the virtual keyboard behind libKbBridge.so (the same library object
// the device link binds): its answer latency, the log of the reports it received and the time
// its answers cost it. A run on any other build of the library ends with a message, since
// nothing could be counted.
#include <chrono>
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
  // Running totals (take differences): the time the keyboard waited before its answers (its
  // latency as slept), and the time its answers spent in it from their reports' acceptance
  // until their callbacks were called.
  std::chrono::nanoseconds Waited() const;
  std::chrono::nanoseconds Held() const;

 private:
  VirtualKeyboard();

  void (*set_latency_)(std::uint32_t) = nullptr;
  std::uint32_t (*frame_count_)() = nullptr;
  void (*clear_log_)() = nullptr;
  void (*answer_times_)(std::uint64_t*, std::uint64_t*) = nullptr;
};

// A started link to the virtual keyboard with the program's own timings, kept until the process
// ends like the program's: destroying it at exit would call into a library whose statics may
// already be gone.
DeviceLink& StartedLink();

}  // namespace talon::bench
