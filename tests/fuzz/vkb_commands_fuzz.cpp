// The virtual keyboard's command handler over any run of raw frames (the input cut into 64-byte
// frames, the last one padded with zeros): every answer echoes its command and carries status 0
// or 255, a refused request changes no memory, and every key position still reads.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "firmware.h"
#include "fuzz_support.h"
#include "kb_bridge_abi.h"

namespace {

using talon::vkb::Firmware;

std::vector<std::uint8_t> Memory(const Firmware& firmware) {
  std::vector<std::uint8_t> all;
  for (std::uint32_t area : {KBSIM_AREA_DEVICE_INFO, KBSIM_AREA_SETTINGS, KBSIM_AREA_KEY_BANKS,
                             KBSIM_AREA_DEFAULT_MAP, KBSIM_AREA_COLOURS}) {
    std::vector<std::uint8_t> bytes(area == KBSIM_AREA_DEVICE_INFO   ? 44
                                    : area == KBSIM_AREA_SETTINGS    ? 256
                                    : area == KBSIM_AREA_DEFAULT_MAP ? 420
                                                                     : 2048);
    firmware.Read(area, 0, bytes);
    all.insert(all.end(), bytes.begin(), bytes.end());
  }
  std::vector<std::uint8_t> macros(firmware.macro_capacity());
  firmware.Read(KBSIM_AREA_MACROS, 0, macros);
  all.insert(all.end(), macros.begin(), macros.end());
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using talon::fuzz::Require;
  Firmware firmware;
  for (std::size_t at = 0; at < size; at += talon::vkb::kReportSize) {
    talon::vkb::Report frame{};
    std::copy_n(data + at, std::min(frame.size(), size - at), frame.begin());
    const std::vector<std::uint8_t> before = Memory(firmware);
    const talon::vkb::Report answer = firmware.Handle(frame);
    Require(answer[3] == frame[3], "the answer does not echo the command");
    Require(answer[7] == 0 || answer[7] == 255, "a status other than 0 and 255");
    if (answer[7] == 255) Require(Memory(firmware) == before, "a refused request changed memory");
  }
  for (std::size_t position = 0; position < 140; ++position) (void)firmware.ActionAt(position);
  return 0;
}
