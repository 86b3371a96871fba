// What the device link costs: its own overhead per exchange with a keyboard that answers at
// once, and a full upload (BeginConfig, the 4 KiB macro area, four banks, EndConfig) against a
// keyboard that takes 1 ms per report. The virtual keyboard accounts the time its answers cost
// it, so the link's own time is told from the keyboard's:
// - ExchangeOverhead: the round trip per exchange, and as "own" the round trip less the time
//   the answer spent in the keyboard (from its report's acceptance to its callback);
// - UploadTransfer: as "ratio" the whole transfer over the time its answers spent in the
//   keyboard plus the 10 ms pause before EndConfig; as "ratio_to_slept" over the time the
//   keyboard waited before its answers (its 1 ms as slept) plus the pause: the difference is the
//   keyboard's own hand-over of each answer from its device thread to the stream's.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <vector>

#include "device/config_report.h"
#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "figure_reporter.h"
#include "virtual_keyboard.h"

namespace talon::bench {
namespace {

using Clock = std::chrono::steady_clock;
using Microseconds = std::chrono::duration<double, std::micro>;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr std::uint32_t kUploadLatencyUs = 1000;
constexpr Milliseconds kEndConfigPause{10};

void BM_ExchangeOverhead(benchmark::State& state) {
  DeviceLink& link = StartedLink();
  VirtualKeyboard& keyboard = VirtualKeyboard::Get();
  keyboard.SetLatency(0);
  ConfigReport request(command::kReadDeviceInfo);
  request.SetLength(44);
  request.Seal();
  std::array<std::uint8_t, 64> answer{};
  const auto held_before = keyboard.Held();
  const auto start = Clock::now();
  for (auto _ : state) {
    int received = 0;
    if (link.ExchangeReport(request.bytes(), answer, received) != kDone) {
      state.SkipWithError("exchange failed");
      break;
    }
    benchmark::DoNotOptimize(answer);
  }
  const Microseconds took = Clock::now() - start;
  const Microseconds held = keyboard.Held() - held_before;
  if (state.iterations() > 0) {
    state.counters["own_us"] = (took - held).count() / static_cast<double>(state.iterations());
  }
}
BENCHMARK(BM_ExchangeOverhead)->Unit(benchmark::kMicrosecond);

void BM_UploadTransfer(benchmark::State& state) {
  KeyboardCommands commands(StartedLink());
  VirtualKeyboard& keyboard = VirtualKeyboard::Get();
  keyboard.SetLatency(kUploadLatencyUs);
  const std::vector<std::uint8_t> macros(4096, 0x5A);
  const std::array<std::uint8_t, kKeyBankSize> bank{};
  Milliseconds took_total{0};
  Milliseconds held_total{0};
  Milliseconds waited_total{0};
  for (auto _ : state) {
    const auto waited_before = keyboard.Waited();
    const auto held_before = keyboard.Held();
    const auto start = Clock::now();
    int ok = commands.BeginConfig();
    ok &= commands.WriteMacroArea(macros);
    for (unsigned b = 0; b < 4; ++b) ok &= commands.WriteKeyBank(bank, b);
    ok &= commands.EndConfig();
    const Milliseconds took = Clock::now() - start;
    if (ok != kDone) {
      state.SkipWithError("transfer failed");
      break;
    }
    state.SetIterationTime(took.count() / 1000.0);
    took_total += took;
    held_total += keyboard.Held() - held_before + kEndConfigPause;
    waited_total += keyboard.Waited() - waited_before + kEndConfigPause;
  }
  if (state.iterations() > 0) {
    state.counters["ratio"] = took_total / held_total;
    state.counters["ratio_to_slept"] = took_total / waited_total;
  }
  keyboard.SetLatency(0);
}
BENCHMARK(BM_UploadTransfer)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace
}  // namespace talon::bench

int main(int argc, char** argv) {
  return talon::bench::RunWithFigures(argc, argv, "device");
}
