#pragma once
// A configuration request as the program builds it: report id 4, the command's fields, the
// payload and the checksum of bytes 3-63.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace talon::test {

inline std::array<std::uint8_t, 64> RequestFrame(std::uint8_t command, std::uint8_t length,
                                                 std::uint16_t offset,
                                                 const std::vector<std::uint8_t>& payload = {}) {
  std::array<std::uint8_t, 64> r{};
  r[0] = 4;
  r[3] = command;
  r[4] = length;
  r[5] = static_cast<std::uint8_t>(offset & 0xFF);
  r[6] = static_cast<std::uint8_t>(offset >> 8);
  std::copy(payload.begin(), payload.end(), r.begin() + 8);
  std::uint16_t sum = 0;
  for (std::size_t i = 3; i < r.size(); ++i) sum = static_cast<std::uint16_t>(sum + r[i]);
  r[1] = static_cast<std::uint8_t>(sum & 0xFF);
  r[2] = static_cast<std::uint8_t>(sum >> 8);
  return r;
}

}  // namespace talon::test
