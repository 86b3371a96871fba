#pragma once
// Start-up settings of the virtual keyboard, taken from the environment:
//   TALON7X_VKB_STATE       the memory file (default
//   $XDG_STATE_HOME/talon7x/virtual-keyboard.state,
//                           else ~/.local/state/talon7x/virtual-keyboard.state; set but empty:
//                           memory is not kept)
//   TALON7X_VKB_FIRMWARE    firmware version announced, e.g. 0x0103
//   TALON7X_VKB_CAPACITY    macro capacity in units of 128 bytes, 0-255
//   TALON7X_VKB_ABSENT=1    start unplugged
//   TALON7X_VKB_LATENCY_US  time the keyboard takes before each answer
// A value that does not parse, or lies out of range, is ignored.
#include <cstdint>
#include <filesystem>

#include "firmware.h"

namespace talon::vkb {

struct Environment {
  std::filesystem::path state_file;  // empty: memory is not kept
  FirmwareOptions options;
  bool absent = false;
  std::uint32_t latency_us = 0;
};

Environment ReadEnvironment();

}  // namespace talon::vkb
