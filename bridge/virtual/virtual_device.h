#pragma once
// The virtual keyboard as the service library sees it: a USB device with three collections
// that answers configuration reports on a thread of its own, raises consumer codes, can be
// plugged and unplugged, and keeps its memory in a file.
//
// Everything the device does on its own (answers, presence changes, consumer reports) happens
// in order on the device thread. Each registered stream then receives its events in that order
// on a delivery thread of its own, as with the hidapi build, with no lock of this class held, so
// a callback may call back into the library and a slow one holds up only its own stream.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "answer_clock.h"
#include "collection.h"
#include "fault_plan.h"
#include "firmware.h"
#include "kb_bridge_abi.h"
#include "stream_registry.h"

namespace talon::vkb {

class VirtualDevice {
 public:
  VirtualDevice() = default;
  ~VirtualDevice();
  VirtualDevice(const VirtualDevice&) = delete;
  VirtualDevice& operator=(const VirtualDevice&) = delete;

  // Loads the memory file and the environment's settings and starts the device thread, once;
  // every other call starts the device first.
  void Start();
  // Stops the device thread and forgets every registration; the next call starts afresh.
  void Stop();

  int DeviceCount(Collection collection);
  bool WriteReport(std::span<const std::uint8_t, kReportSize> report);
  std::uint32_t Register(Collection collection, KbBridgeCallback callback, std::uint32_t tag);
  // The indicator's status data: the request's unit id (it receives no events), or 0 when the
  // keyboard is absent.
  std::uint32_t WriteStatus(Collection collection, std::span<const std::uint8_t> data);
  bool Unregister(std::uint32_t unit_id);

  void Reset();
  void SetPlugged(bool plugged);
  void RaiseConsumer(std::uint16_t code);
  void InjectFault(std::uint32_t kind, std::uint32_t skip, std::uint32_t count,
                   std::uint32_t param);
  void ClearFaults();
  void SetLatency(std::uint32_t microseconds);
  bool ReadMemory(std::uint32_t area, std::uint32_t offset, std::span<std::uint8_t> out);
  bool WriteMemory(std::uint32_t area, std::uint32_t offset, std::span<const std::uint8_t> data);
  std::uint32_t FrameCount();
  bool GetFrame(std::uint32_t index, std::span<std::uint8_t, kReportSize> out);
  void ClearLog();
  bool KeyActionAt(std::uint32_t position, KbSimKeyAction& out);
  const AnswerClock& Answers() const { return answers_; }

 private:
  struct Job {
    enum class Kind { kFrame, kPresence, kConsumer } kind;
    Report frame{};
    std::uint32_t count = 0;
    std::uint16_t code = 0;
    AnswerClock::Clock::time_point accepted{};  // a frame's
  };

  void EnsureStarted();
  void Run(std::uint64_t generation);
  void AnswerFrame(std::uint64_t generation, const Job& job);
  void RaiseConsumerNow(std::uint16_t code);
  // Waits, unless the thread of this generation is being stopped or the keyboard is reset
  // (`resets` is the count of resets seen when the answer began); false then. The time slept
  // counts as waited before an answer.
  bool SleepFor(std::uint64_t generation, std::uint64_t resets, std::chrono::microseconds time);
  void SaveMemoryLocked();

  std::mutex lifecycle_mutex_;
  std::atomic<bool> started_{false};
  std::thread thread_;

  std::mutex queue_mutex_;  // the job queue, the thread generations and the plugged state
  std::condition_variable queue_changed_;
  std::deque<Job> jobs_;
  // Each start runs a device thread of a new generation; stopping moves past it.
  std::uint64_t generation_ = 0;
  std::uint64_t resets_ = 0;
  std::atomic<bool> plugged_{true};

  std::mutex firmware_mutex_;  // the firmware and its file
  Firmware firmware_;
  std::filesystem::path state_file_;

  std::mutex log_mutex_;
  std::deque<Report> frames_;

  std::atomic<std::uint32_t> latency_us_{0};
  FaultPlan faults_;
  AnswerClock answers_;
  StreamRegistry registry_;
};

}  // namespace talon::vkb
