// The macro area decoder over any bytes read from a keyboard: within the limits, and what it
// decodes, encoded again with names, decodes to the same macros (numbered afresh: a macro's
// number is its place in the area, and a broken one left out leaves a gap; pauses the field
// holds beyond the editor's 40 s are sent as 40 s).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz_support.h"
#include "model/macro_area.h"

namespace {

class Texts : public talon::TextLookup {
 public:
  std::string Text(std::string_view key) const override {
    return key == "MACRO_NEW_PREFIX" ? "Macro %d" : "#Error";
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talon;
  const Texts texts;
  const std::vector<MacroRecord> macros = DecodeMacroArea(std::span(data, size), texts);
  fuzz::Require(macros.size() <= 100, "more than 100 macros decoded");
  for (const MacroRecord& m : macros) fuzz::Require(m.actions.size() <= 2000, "too many actions");
  if (MeasureMacroArea(macros).full > kMaxMacroAreaSize) return 0;
  std::vector<MacroRecord> renumbered = macros;
  for (std::size_t i = 0; i < renumbered.size(); ++i) {
    renumbered[i].id = static_cast<std::uint16_t>(i + 1);
    // The encoder keeps pauses within what the editor allows; the area's field holds more.
    for (MacroAction& a : renumbered[i].actions) a.pause_ms = std::min(a.pause_ms, kMaxPauseMs);
  }
  const std::vector<std::uint8_t> again = EncodeMacroArea(macros, true);
  fuzz::Require(DecodeMacroArea(again, texts) == renumbered, "decode, encode, decode differs");
  return 0;
}
