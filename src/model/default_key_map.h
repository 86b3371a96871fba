#pragma once
// The keyboard's factory assignment of every key position, read from the keyboard at each
// attach; the compiled-in content stands in until the first successful read. The attach handling
// replaces it on the presence thread while the interface thread encodes and decodes with it, so
// it is only ever handed out as a whole copy.
#include <cstddef>
#include <mutex>
#include <span>

#include "model/key_bank.h"

namespace talon {

class DefaultKeyMap {
 public:
  DefaultKeyMap();

  KeyBank Copy() const;
  void Replace(std::span<const std::uint8_t, kKeyBankSize> bank);

  // The content used before the first read from a keyboard.
  static KeyBank CompiledIn();
  // Positions that always keep their default entry; neither encoder nor decoder looks at them.
  static bool IsFixedPosition(std::size_t position);

 private:
  mutable std::mutex mutex_;
  KeyBank bank_;
};

}  // namespace talon
