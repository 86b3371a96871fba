#pragma once
// The check value every request carries: a sum of check-table entries over the request's
// covered arguments (the match record, then each argument before the data as its
// little-endian bytes, then the data). A call whose value differs is refused.
#include <cstdint>
#include <span>

#include "kb_bridge_abi.h"

namespace talon::bridge {

class RequestCheck {
 public:
  RequestCheck& Bytes(std::span<const std::uint8_t> bytes);
  // A 32-bit argument, covered as 4 little-endian bytes: 0x4354524C -> 4C 52 54 43.
  RequestCheck& Word(std::uint32_t value);
  // A callback address, covered as its sizeof(void*) little-endian bytes.
  RequestCheck& Address(KbBridgeCallback callback);

  std::uint32_t value() const { return sum_; }

 private:
  std::uint32_t sum_ = 0;
};

}  // namespace talon::bridge
