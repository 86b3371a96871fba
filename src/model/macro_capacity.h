#pragma once
#include <atomic>
#include <cstddef>

namespace talon {

// The keyboard's macro area capacity in bytes, as last read at attach (0 before that). Set by
// the presence thread, read by the upload.
class MacroCapacity {
 public:
  std::size_t bytes() const { return bytes_.load(); }
  void Set(std::size_t bytes) { bytes_.store(bytes); }

 private:
  std::atomic<std::size_t> bytes_{0};
};

}  // namespace talon
