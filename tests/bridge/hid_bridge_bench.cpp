// What one exchange costs the hidapi build of the library, over the fake hidapi: the device
// count the program asks for before every exchange, and the whole exchange (count, write, the
// answer through the 'CTRL' callback). Prints figures; asserts nothing.
//   build/bench/hid_bridge_bench
#include <benchmark/benchmark.h>

#include <array>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "bridge.h"
#include "fake_hidapi.h"
#include "kb_bridge_abi.h"

namespace talon::bridge {
namespace {

using Record = std::array<std::uint8_t, KB_MATCH_RECORD_SIZE>;

constexpr Record kConfig = {0x0F, 0, 0, 0, 0x45, 0x0C, 0x27, 0x5D, 0x1C, 0xFF, 0x92, 0, 0, 0, 0, 0};

std::uint32_t Sum(std::uint32_t sum, const std::uint8_t* bytes, std::size_t n) {
  return KbCheckAdd(sum, bytes, n);
}

std::mutex g_mutex;
std::condition_variable g_answered;
int g_answers = 0;

int OnEvent(const KbBridgeEvent* event) {
  if (event->kind != KB_EVENT_REPORT) return 1;
  {
    std::lock_guard lock(g_mutex);
    ++g_answers;
  }
  g_answered.notify_all();
  return 1;
}

struct Setup {
  Setup() {
    test::FakeHidBus::Instance().Reset();
    test::FakeHidBus::Instance().AddKeyboard();
    bridge.Init(0);
    const std::array<std::uint8_t, 8> zeros{};
    count_check = Sum(Sum(0, kConfig.data(), kConfig.size()), zeros.data(), zeros.size());
    frame[0] = 4;
    frame[3] = 3;
    frame[4] = 44;
    frame[1] = 3 + 44;
    write_check = Sum(count_check, frame.data(), frame.size());
    const auto callback = &OnEvent;
    std::array<std::uint8_t, sizeof(void*) + 4> covered{};
    const auto address = reinterpret_cast<std::uintptr_t>(callback);
    for (std::size_t i = 0; i < sizeof(void*); ++i) covered[i] = address >> (8 * i);
    for (std::size_t i = 0; i < 4; ++i) covered[sizeof(void*) + i] = KB_TAG_CTRL >> (8 * i);
    const std::uint32_t read_check =
        Sum(Sum(0, kConfig.data(), kConfig.size()), covered.data(), covered.size());
    bridge.RequestAsyncRead(kConfig.data(), callback, KB_TAG_CTRL, read_check, &unit);
    while (test::FakeHidBus::Instance().OpenHandles() < 1) std::this_thread::yield();
  }
  Bridge bridge;
  std::uint32_t count_check = 0;
  std::uint32_t write_check = 0;
  std::uint32_t unit = 0;
  std::array<std::uint8_t, KB_REPORT_SIZE> frame{};
};

void BM_DeviceCount(benchmark::State& state) {
  Setup s;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        s.bridge.RequestGetDeviceCount(kConfig.data(), 0, 0, s.count_check, 0));
  }
}
BENCHMARK(BM_DeviceCount);

void BM_Exchange(benchmark::State& state) {
  Setup s;
  for (auto _ : state) {
    int before = 0;
    {
      std::lock_guard lock(g_mutex);
      before = g_answers;
    }
    if (s.bridge.RequestGetDeviceCount(kConfig.data(), 0, 0, s.count_check, 0) != 1 ||
        s.bridge.RequestWriteOne(kConfig.data(), 0, 0, s.frame.data(), KB_REPORT_SIZE,
                                 s.write_check, 0) != 1) {
      state.SkipWithError("no keyboard");
      break;
    }
    std::unique_lock lock(g_mutex);
    g_answered.wait(lock, [&] { return g_answers > before; });
  }
}
BENCHMARK(BM_Exchange);

}  // namespace
}  // namespace talon::bridge

BENCHMARK_MAIN();
