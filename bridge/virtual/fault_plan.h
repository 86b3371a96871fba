#pragma once
// Faults injected into the keyboard's answers, for tests of the exchange's error paths.
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace talon::vkb {

// What happens to one answer; several faults may meet on the same answer.
struct FaultEffect {
  bool unplug = false;                 // the keyboard goes away instead of answering
  bool drop = false;                   // carried out, but no answer
  bool wrong_command = false;          // the answer carries another command byte
  std::optional<std::uint8_t> status;  // answered with this status, not carried out
  std::uint32_t delay_ms = 0;
  std::optional<std::uint32_t> short_length;  // answer cut to this many bytes
};

class FaultPlan {
 public:
  // Kinds as KBSIM_FAULT_*; unknown kinds and a count of 0 are ignored.
  void Add(std::uint32_t kind, std::uint32_t skip, std::uint32_t count, std::uint32_t param);
  void Clear();
  // The effect on the next answer; counts it against every pending fault.
  FaultEffect Next();

 private:
  struct Fault {
    std::uint32_t kind;
    std::uint32_t skip;
    std::uint32_t count;
    std::uint32_t param;
  };
  std::mutex mutex_;
  std::vector<Fault> faults_;
};

}  // namespace talon::vkb
