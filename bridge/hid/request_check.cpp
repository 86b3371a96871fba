#include "request_check.h"

#include <array>

namespace talon::bridge {

RequestCheck& RequestCheck::Bytes(std::span<const std::uint8_t> bytes) {
  sum_ = KbCheckAdd(sum_, bytes.data(), bytes.size());
  return *this;
}

RequestCheck& RequestCheck::Word(std::uint32_t value) {
  std::array<std::uint8_t, 4> le{};
  for (std::size_t i = 0; i < le.size(); ++i) le[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return Bytes(le);
}

RequestCheck& RequestCheck::Address(KbBridgeCallback callback) {
  const auto address = reinterpret_cast<std::uintptr_t>(callback);
  std::array<std::uint8_t, sizeof(void*)> le{};
  for (std::size_t i = 0; i < le.size(); ++i) le[i] = static_cast<std::uint8_t>(address >> (8 * i));
  return Bytes(le);
}

}  // namespace talon::bridge
