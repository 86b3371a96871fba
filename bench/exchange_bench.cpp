// What the device link costs: its own overhead per exchange with a keyboard that answers at
// once, and a full upload (BeginConfig, the 4 KiB macro area, four banks, EndConfig) against a
// keyboard that takes 1 ms per report, as a ratio to the least it could take.
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
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr std::uint32_t kUploadLatencyUs = 1000;
constexpr double kEndConfigPauseMs = 10;

void BM_ExchangeOverhead(benchmark::State& state) {
  DeviceLink& link = StartedLink();
  VirtualKeyboard::Get().SetLatency(0);
  ConfigReport request(command::kReadDeviceInfo);
  request.SetLength(44);
  request.Seal();
  std::array<std::uint8_t, 64> answer{};
  for (auto _ : state) {
    int received = 0;
    if (link.ExchangeReport(request.bytes(), answer, received) != kDone) {
      state.SkipWithError("exchange failed");
      break;
    }
    benchmark::DoNotOptimize(answer);
  }
}
BENCHMARK(BM_ExchangeOverhead)->Unit(benchmark::kMicrosecond);

void BM_UploadTransfer(benchmark::State& state) {
  KeyboardCommands commands(StartedLink());
  VirtualKeyboard& keyboard = VirtualKeyboard::Get();
  keyboard.SetLatency(kUploadLatencyUs);
  const std::vector<std::uint8_t> macros(4096, 0x5A);
  const std::array<std::uint8_t, kKeyBankSize> bank{};
  const int exchanges =
      2 + static_cast<int>((macros.size() + kDeviceDataChunk - 1) / kDeviceDataChunk +
                           4 * ((kKeyBankSize + kDeviceDataChunk - 1) / kDeviceDataChunk));
  double took_ms = 0;
  double least_ms = 0;
  for (auto _ : state) {
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
    took_ms += took.count();
    least_ms += exchanges * kUploadLatencyUs / 1000.0 + kEndConfigPauseMs;
  }
  state.counters["ratio"] = least_ms > 0 ? took_ms / least_ms : 0;
  state.counters["exchanges"] = exchanges;
  keyboard.SetLatency(0);
}
BENCHMARK(BM_UploadTransfer)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace
}  // namespace talon::bench

int main(int argc, char** argv) {
  return talon::bench::RunWithFigures(argc, argv, "device");
}
