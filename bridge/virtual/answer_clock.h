#pragma once
// Running totals of the time the keyboard's answers cost the keyboard itself, so that a
// benchmark can tell its caller's own time from the keyboard's:
// - waited: the time spent before answering on purpose (the configured latency and answer
//   delays), as actually slept, oversleeping included;
// - held: the time each answer spent in the keyboard, from the moment its report was accepted
//   until its stream's callback was called (the waits, the firmware's work and the hand-overs
//   between the device's threads).
// Totals only grow; callers take the difference over what they measure.
#include <atomic>
#include <chrono>
#include <cstdint>

namespace talon::vkb {

class AnswerClock {
 public:
  using Clock = std::chrono::steady_clock;

  void AddWaited(Clock::duration time) { waited_ns_ += Nanoseconds(time); }
  void AddHeld(Clock::time_point accepted) { held_ns_ += Nanoseconds(Clock::now() - accepted); }

  std::uint64_t waited_ns() const { return waited_ns_.load(); }
  std::uint64_t held_ns() const { return held_ns_.load(); }

 private:
  static std::uint64_t Nanoseconds(Clock::duration time) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(time).count();
    return ns > 0 ? static_cast<std::uint64_t>(ns) : 0;
  }

  std::atomic<std::uint64_t> waited_ns_{0};
  std::atomic<std::uint64_t> held_ns_{0};
};

}  // namespace talon::vkb
