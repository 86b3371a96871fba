#include "device/check_value.h"

#include <array>
#include <cstring>

namespace talon {

namespace {

std::uint32_t Add(std::uint32_t sum, std::span<const std::uint8_t> bytes) {
  return KbCheckAdd(sum, bytes.data(), bytes.size());
}

std::uint32_t AddU32(std::uint32_t sum, std::uint32_t value) {
  const std::array<std::uint8_t, 4> bytes{
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return Add(sum, bytes);
}

// The callback's address at pointer width, low byte first.
std::uint32_t AddAddress(std::uint32_t sum, KbBridgeCallback callback) {
  std::uintptr_t address = 0;
  std::memcpy(&address, &callback, sizeof address);
  std::array<std::uint8_t, sizeof address> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(address >> (8 * i));
  return Add(sum, bytes);
}

std::uint32_t AddRecord(const DeviceMatchRecord& record) {
  return Add(0, record.Encode());
}

}  // namespace

std::uint32_t CountCheckValue(const DeviceMatchRecord& record) {
  return AddU32(AddU32(AddRecord(record), 0), 0);
}

std::uint32_t WriteCheckValue(const DeviceMatchRecord& record,
                              std::span<const std::uint8_t> report) {
  return Add(CountCheckValue(record), report);
}

std::uint32_t RegistrationCheckValue(const DeviceMatchRecord& record, KbBridgeCallback callback,
                                     std::uint32_t tag) {
  return AddU32(AddAddress(AddRecord(record), callback), tag);
}

std::uint32_t StatusWriteCheckValue(const DeviceMatchRecord& record, KbBridgeCallback callback,
                                    std::uint32_t tag, std::span<const std::uint8_t> data) {
  return Add(RegistrationCheckValue(record, callback, tag), data);
}

}  // namespace talon
