// The exchange under load and at the edge of its time-out: the presence worker and the window's
// thread exchanging at the same time, and answers that arrive just as a wait gives up. These are
// the tests the thread sanitizer lane leans on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "device/config_report.h"
#include "device/presence.h"
#include "device/result_codes.h"
#include "keyboard_session.h"

namespace talon {
namespace {

using namespace std::chrono_literals;

// Keeps what each arrival read, to compare with the keyboard's memory afterwards.
class ArrivalRecorder : public PresencePort {
 public:
  void StoreDefaultKeyMap(std::span<const std::uint8_t, kKeyBankSize> map) override {
    std::lock_guard lock(mutex_);
    maps_.emplace_back(map.begin(), map.end());
  }
  void StoreMacroCapacity(std::size_t bytes) override {
    std::lock_guard lock(mutex_);
    capacities_.push_back(bytes);
  }
  void KeyboardRemoved() override {}
  void HideMainWindow() override {}
  void RefreshProfile() override {}
  void RedrawGKeys() override {}
  void PostOpen() override {}
  void StartLightingReloadTimer() override {}
  std::uint8_t FlipGBank() override { return 0x02; }
  bool MainWindowReady() const override { return true; }
  void SetTrayPicture(int) override {}
  void ShowGBank(bool) override {}
  void ShowMessage(std::string_view) override { ++failed_reads; }

  std::vector<std::vector<std::uint8_t>> maps() const {
    std::lock_guard lock(mutex_);
    return maps_;
  }
  std::vector<std::size_t> capacities() const {
    std::lock_guard lock(mutex_);
    return capacities_;
  }
  std::atomic<int> failed_reads{0};

 private:
  mutable std::mutex mutex_;
  std::vector<std::vector<std::uint8_t>> maps_;
  std::vector<std::size_t> capacities_;
};

TEST(ExchangeLoad, PresenceAndWindowExchangesNeverCross) {
  constexpr int kWindowExchanges = 10'000;
  test::VirtualKeyboardControl vkb;
  vkb.Reset();
  const auto settings = vkb.ReadMemory(KBSIM_AREA_SETTINGS, 0, 3 * kDeviceDataChunk);
  const auto default_map = vkb.ReadMemory(KBSIM_AREA_DEFAULT_MAP, 0, kKeyBankSize);
  ArrivalRecorder port;
  DeviceLink link(test::FastTimings());
  KeyboardCommands commands(link, test::FastTimings());
  KeyboardPresence presence(link, commands, port, 1ms);
  ASSERT_EQ(link.Start(&presence), StartResult::kStarted);
  presence.SetQuietStart();

  // The window reads the settings area chunk by chunk while the keyboard comes and goes; each
  // arrival makes the presence worker read the default key map (eight exchanges) and the
  // device block at the same time.
  std::atomic<bool> done{false};
  std::thread plugging([&] {
    while (!done) {
      vkb.Unplug();
      vkb.Plug();
      std::this_thread::sleep_for(5ms);
    }
  });
  int crossed = 0;
  int answered = 0;
  const auto deadline = std::chrono::steady_clock::now() + 120s;
  for (int i = 0; answered < kWindowExchanges && std::chrono::steady_clock::now() < deadline; ++i) {
    const std::uint16_t offset = static_cast<std::uint16_t>((i % 3) * kDeviceDataChunk);
    std::array<std::uint8_t, kDeviceDataChunk> chunk{};
    const int result = commands.ReadDeviceData(chunk, kDeviceDataChunk, offset);
    if (result != kDone) continue;  // unplugged at that moment
    ++answered;
    if (!std::equal(chunk.begin(), chunk.end(), settings.begin() + offset)) ++crossed;
  }
  done = true;
  plugging.join();
  presence.WaitIdle();

  EXPECT_EQ(crossed, 0);
  EXPECT_EQ(answered, kWindowExchanges);
  const auto maps = port.maps();
  EXPECT_GT(maps.size(), 10u) << "too few arrivals overlapped the window's exchanges";
  for (const auto& map : maps) EXPECT_EQ(map, default_map);
  for (std::size_t capacity : port.capacities()) EXPECT_EQ(capacity, 4096u);
}

TEST(ExchangeLoad, AnswerRacingTheEndOfItsWaitIsNeverHalfRead) {
  // Every answer comes as late as the wait is long, so it lands just before or just after the
  // wait gives up; a late one must not be read while it is being written.
  ExchangeTimings timings;
  timings.answer_wait = 2ms;
  timings.retry_pause = 0ms;
  timings.end_config_pause = 0ms;
  test::KeyboardSession s(timings);
  ASSERT_EQ(s.start_result, StartResult::kStarted);
  s.vkb.InjectFault(KBSIM_FAULT_DELAY, 0, 100'000, 2);
  ConfigReport request(command::kReadDeviceInfo);
  request.SetLength(44);
  request.Seal();
  int done = 0;
  for (int i = 0; i < 300; ++i) {
    std::array<std::uint8_t, kReportSize> answer{};
    int received = 0;
    const int result = s.link.ExchangeReport(request.bytes(), answer, received);
    ASSERT_TRUE(result == kDone || result == kNoAnswer) << result;
    if (result == kDone) {
      ++done;
      EXPECT_EQ(answer[report_byte::kCommand], command::kReadDeviceInfo);
      EXPECT_EQ(received, 64);
    } else {
      EXPECT_EQ(received, 0);
    }
  }
  s.vkb.ClearFaults();
  EXPECT_GT(done, 0);
}

// The keyboard answers in order. When one chunk's answer comes after its wait gave up, the
// retry takes it, and the retry's own answer, still to come, must not be taken for the next
// chunk's (which would shift every chunk after it by one). When an answer is lost for good, only
// its own chunk pays for it.
TEST(ExchangeLateAnswer, ALateOrLostAnswerCostsOnlyItsOwnChunk) {
  test::KeyboardSession s;
  ASSERT_EQ(s.start_result, StartResult::kStarted);
  const auto bank = s.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 0, kKeyBankSize);
  // Every answer takes a while, so the retry's own answer comes once the next chunk waits.
  s.vkb.SetLatencyMicroseconds(20'000);
  const auto timings = test::FastTimings();
  const auto late = timings.answer_wait + 50ms;
  const auto clean_read = 8 * 20ms;
  const struct {
    const char* what;
    std::uint32_t kind;
    std::uint32_t param;
  } faults[] = {{"late", KBSIM_FAULT_DELAY, static_cast<std::uint32_t>(late.count())},
                {"lost", KBSIM_FAULT_DROP, 0}};
  for (const auto& fault : faults) {
    for (std::uint32_t chunk : {0u, 3u, 7u}) {
      SCOPED_TRACE(std::string(fault.what) + " answer of chunk " + std::to_string(chunk));
      s.vkb.InjectFault(fault.kind, chunk, 1, fault.param);
      std::array<std::uint8_t, kKeyBankSize> read{};
      auto start = std::chrono::steady_clock::now();
      ASSERT_EQ(s.commands.ReadKeyBank(read, 0), kDone);
      EXPECT_LT(std::chrono::steady_clock::now() - start,
                clean_read + late + timings.owed_answer_wait + 200ms);
      EXPECT_TRUE(std::equal(read.begin(), read.end(), bank.begin()));
      // Whatever was still owed has come and gone: the next read is whole and quick.
      start = std::chrono::steady_clock::now();
      ASSERT_EQ(s.commands.ReadKeyBank(read, 0), kDone);
      EXPECT_LT(std::chrono::steady_clock::now() - start, clean_read + 100ms);
      EXPECT_TRUE(std::equal(read.begin(), read.end(), bank.begin()));
    }
  }
}

}  // namespace
}  // namespace talon
