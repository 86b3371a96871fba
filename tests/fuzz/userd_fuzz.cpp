// The user colour-mode file reader over any file: the mode, tool and colours it loads stay in
// their ranges, whatever the file holds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/result_codes.h"
#include "fuzz_support.h"
#include "model/user_colours.h"

namespace {

using namespace talon;
using namespace std::chrono_literals;

// No keyboard: the colours the reader sends go nowhere.
class NoKeyboard : public ReportExchanger {
 public:
  int ExchangeReport(std::span<const std::uint8_t>, std::span<std::uint8_t>,
                     int& received) override {
    received = 0;
    return kNoKeyboard;
  }
};

class Widgets : public UserColourPort, public LightingPort {
 public:
  void SetModeNames(const std::array<std::string, kUserModes>&) override {}
  void SetModeName(int, const std::string&) override {}
  void ShowMode(int mode, Colour paint, Colour base, int tool) override {
    fuzz::Require(mode >= 0 && mode < kUserModes, "mode out of range");
    fuzz::Require(paint <= 0xFFFFFF && base <= 0xFFFFFF, "colour out of range");
    fuzz::Require(tool == 0 || tool == 1, "tool out of range");
  }
  void TintKey(int, Colour colour) override { fuzz::Require(colour <= 0xFFFFFF, "key colour"); }
  void ShowKeyColours(int) override {}
  void EffectListCleared() override {}
  void ReloadUserColourModes(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static NoKeyboard exchanger;
  static KeyboardCommands commands(exchanger, ExchangeTimings{0ms, 0ms, 0ms, 0ms});
  static Widgets widgets;
  // Kept between inputs: loading a mode sets all that the checks below look at.
  static const auto folder = fuzz::ScratchFolder();
  static LightingModel lighting(commands, widgets, folder / "wskb.ini");
  static UserColourModes modes(lighting, widgets, folder, folder / "default.userd");
  fuzz::WriteScratchFile(modes.FileOf(0).filename().string(), std::span(data, size));
  modes.LoadUserMode(0);
  modes.ShowMode();
  fuzz::Require(modes.mode() >= 0 && modes.mode() < kUserModes, "mode out of range");
  fuzz::Require(modes.paint_colour() <= 0xFFFFFF && modes.base_colour() <= 0xFFFFFF,
                "colour out of range");
  for (int led : UserColourModes::Leds()) (void)modes.base_flag(0, led);
  modes.FillUserModeNames(0);
  return 0;
}
