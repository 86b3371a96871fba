// The ButtonInfo parser over any skin value: a rectangle it accepts has no negative size, and a
// value it refuses gives the left-out control.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "shell/button_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talon;
  const std::string_view value(reinterpret_cast<const char*>(data), size);
  const auto parsed = ParseButtonInfo(value);
  if (parsed) fuzz::Require(parsed->w >= 0 && parsed->h >= 0, "negative size accepted");
  const ButtonInfo info = ButtonInfoFromValue(value);
  fuzz::Require(parsed ? info == *parsed : info == kDefaultButtonInfo, "fallback differs");
  return 0;
}
