#pragma once
// Test access to the virtual keyboard behind libKbBridge.so: the same library object that the
// program's loader binds (dlopen of the bare name returns the one already loaded), so a test can
// plug, unplug, inject faults and look into the keyboard's memory.
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "kb_bridge_abi.h"

namespace talon::test {

class VirtualKeyboardControl {
 public:
  // Loads (or finds) libKbBridge.so and binds the KbSim entry points; asserts they exist.
  VirtualKeyboardControl();
  ~VirtualKeyboardControl();
  VirtualKeyboardControl(const VirtualKeyboardControl&) = delete;
  VirtualKeyboardControl& operator=(const VirtualKeyboardControl&) = delete;

  bool bound() const { return reset_ != nullptr; }

  void Reset() const { reset_(); }
  void Plug() const { plug_(); }
  void Unplug() const { unplug_(); }
  void RaiseConsumer(std::uint16_t code) const { raise_(code); }
  void InjectFault(std::uint32_t kind, std::uint32_t skip, std::uint32_t count,
                   std::uint32_t param = 0) const {
    inject_(kind, skip, count, param);
  }
  void ClearFaults() const { clear_faults_(); }
  void SetLatencyMicroseconds(std::uint32_t us) const { latency_(us); }

  std::vector<std::uint8_t> ReadMemory(std::uint32_t area, std::uint32_t offset,
                                       std::uint32_t length) const;
  bool WriteMemory(std::uint32_t area, std::uint32_t offset,
                   const std::vector<std::uint8_t>& bytes) const;

  // Reports the keyboard received since the last ClearLog, oldest first.
  std::vector<std::vector<std::uint8_t>> Frames() const;
  // Just the command bytes (report byte 3) of Frames().
  std::vector<std::uint8_t> Commands() const;
  void ClearLog() const { clear_log_(); }

  std::optional<KbSimKeyAction> KeyActionAt(std::uint32_t position) const;

  // The running totals of the time the keyboard waited before its answers and the time its
  // answers spent in it.
  struct AnswerTimes {
    std::chrono::nanoseconds waited;
    std::chrono::nanoseconds held;
  };
  AnswerTimes Answers() const;

 private:
  void* handle_ = nullptr;
  KbSimResetFn reset_ = nullptr;
  KbSimPlugFn plug_ = nullptr;
  KbSimUnplugFn unplug_ = nullptr;
  KbSimRaiseConsumerFn raise_ = nullptr;
  KbSimInjectFaultFn inject_ = nullptr;
  KbSimClearFaultsFn clear_faults_ = nullptr;
  KbSimSetLatencyFn latency_ = nullptr;
  KbSimReadMemoryFn read_ = nullptr;
  KbSimWriteMemoryFn write_ = nullptr;
  KbSimFrameCountFn frame_count_ = nullptr;
  KbSimGetFrameFn get_frame_ = nullptr;
  KbSimClearLogFn clear_log_ = nullptr;
  KbSimKeyActionAtFn key_action_ = nullptr;
  KbSimAnswerTimesFn answer_times_ = nullptr;
};

}  // namespace talon::test
