#pragma once
// One registration's events, delivered in order on a thread of the registration's own, as the
// hidapi build's reader of a stream does: a callback that waits (a G-bank press waiting for the
// window) holds up its own stream and no other.
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>

#include "answer_clock.h"
#include "kb_bridge_abi.h"

namespace talon::vkb {

struct StreamEvent {
  std::uint32_t kind = 0;
  std::uint32_t count = 0;  // kind 1: bytes in `data`; kind 0: devices present
  bool has_data = false;    // false: the block carries no data pointer
  std::array<std::uint8_t, KB_REPORT_SIZE> data{};
  std::optional<std::uint16_t> consumer_code;  // set: the block carries a parsed report
  // For an answer: the clock that counts its time in the keyboard until its callback is called,
  // and when its report was accepted.
  AnswerClock* answer_clock = nullptr;
  AnswerClock::Clock::time_point accepted{};

  static StreamEvent Presence(std::uint32_t devices);
  // A report of at most 64 bytes (the rest is cut).
  static StreamEvent Report(std::span<const std::uint8_t> bytes);
};

class StreamDelivery {
 public:
  // Starts the thread.
  StreamDelivery(KbBridgeCallback callback, std::uint32_t tag);
  // Stops the thread, waiting for it unless this is its own thread or it is stuck in a callback
  // for longer than `kStuckLimit` (then it is left to end by itself).
  ~StreamDelivery();
  StreamDelivery(const StreamDelivery&) = delete;
  StreamDelivery& operator=(const StreamDelivery&) = delete;

  void Push(StreamEvent event);
  // No event is delivered after this returns, except the one whose callback is calling it.
  // Waits for a callback in progress on another thread, however long it takes.
  void Stop();
  bool OnOwnThread() const { return std::this_thread::get_id() == thread_.get_id(); }

 private:
  struct State;
  static void Run(const std::shared_ptr<State>& state);

  std::shared_ptr<State> state_;  // shared with the thread, which may outlive this object
  std::thread thread_;
};

}  // namespace talon::vkb
