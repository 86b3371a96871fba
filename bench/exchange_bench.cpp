// What the device link costs: its own overhead per exchange with a keyboard that answers at
// once, and a full upload-sized transfer against a keyboard that takes 1 ms per report, as a
// ratio to the ideal (exchanges x 1 ms + the 10 ms pause before EndConfig).
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <dlfcn.h>

#include "device/config_report.h"
#include "device/device_link.h"
#include "device/keyboard_commands.h"
#include "device/result_codes.h"

namespace {

using talon::DeviceLink;
using talon::KeyboardCommands;

void SetDeviceLatency(std::uint32_t microseconds) {
  void* handle = dlopen("libKbBridge.so", RTLD_NOW);
  auto set = handle != nullptr ? reinterpret_cast<KbSimSetLatencyFn>(dlsym(handle, "KbSimSetLatency"))
                               : nullptr;
  if (set == nullptr) {
    std::fprintf(stderr, "the benchmarks need the virtual keyboard build of libKbBridge.so\n");
    std::exit(1);
  }
  set(microseconds);
}

DeviceLink& Link() {
  // Kept until the process ends, like the program's link: destroying it at exit would call into
  // a library whose own statics may already be gone.
  static DeviceLink* link = [] {
    // A state file of its own, so benchmarking never touches a demo keyboard's settings.
    setenv("TALON7X_VKB_STATE", "/tmp/talon7x-bench-virtual-keyboard.state", 0);
    auto* started = new DeviceLink;
    if (started->Start(nullptr) != talon::StartResult::kStarted || started->start_count() == 0) {
      std::fprintf(stderr, "no virtual keyboard: %s\n", started->error().c_str());
      std::exit(1);
    }
    return started;
  }();
  return *link;
}

void BM_ExchangeOverhead(benchmark::State& state) {
  DeviceLink& link = Link();
  SetDeviceLatency(0);
  talon::ConfigReport request(talon::command::kReadDeviceInfo);
  request.SetLength(44);
  request.Seal();
  std::array<std::uint8_t, 64> answer{};
  for (auto _ : state) {
    int received = 0;
    if (link.ExchangeReport(request.bytes(), answer, received) != talon::kDone) {
      state.SkipWithError("exchange failed");
      break;
    }
    benchmark::DoNotOptimize(answer);
  }
  state.SetLabel("per exchange, device answering at once");
}
BENCHMARK(BM_ExchangeOverhead)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_UploadTransfer(benchmark::State& state) {
  DeviceLink& link = Link();
  KeyboardCommands commands(link);
  SetDeviceLatency(1000);
  const std::vector<std::uint8_t> macros(4096, 0x5A);
  const std::array<std::uint8_t, talon::kKeyBankSize> bank{};
  const int exchanges = 1 + (4096 + 55) / 56 + 4 * 8 + 1;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    int ok = commands.BeginConfig();
    ok &= commands.WriteMacroArea(macros);
    for (unsigned b = 0; b < 4; ++b) ok &= commands.WriteKeyBank(bank, b);
    ok &= commands.EndConfig();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (ok != talon::kDone) {
      state.SkipWithError("transfer failed");
      break;
    }
    state.SetIterationTime(took.count() / 1000.0);
    state.counters["ratio_to_ideal"] = took.count() / (exchanges * 1.0 + 10.0);
  }
  state.counters["exchanges"] = exchanges;
  SetDeviceLatency(0);
}
BENCHMARK(BM_UploadTransfer)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3)->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
