#pragma once
// Which of the two banks of assignments the nine G keys use. The state is the two-byte word the
// keyboard's indicator status carries (byte 0 = 5, byte 1 bit 0 set while bank B is selected).
// It is flipped on the library's callback thread and read on the interface thread.
#include <array>
#include <atomic>
#include <cstdint>

#include "model/key_record.h"

namespace talon {

class GBank {
 public:
  static constexpr std::uint16_t kStartWord = 0x0205;

  std::uint16_t word() const { return word_.load(); }
  bool bank_b() const { return (word() & 0x0100) != 0; }

  // Switches to the other bank; returns the new word.
  std::uint16_t Flip() { return static_cast<std::uint16_t>(word_.fetch_xor(0x0100) ^ 0x0100); }

  // The indicator status bytes as written to the service library.
  std::array<std::uint8_t, 2> StatusBytes() const {
    const std::uint16_t w = word();
    return {static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(w >> 8)};
  }

  // The record slot that G button n (1-9) shows and edits in the selected bank.
  KeySlot SlotOfGButton(unsigned n) const {
    return static_cast<KeySlot>((bank_b() ? kGSlotBankB : kGSlotBankA) + n - 1);
  }

 private:
  std::atomic<std::uint16_t> word_{kStartWord};
};

}  // namespace talon
