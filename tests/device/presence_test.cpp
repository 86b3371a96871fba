// Presence changes and keyboard-raised codes against the virtual keyboard, with a port that
// records what the rest of the program is asked to do.
#include "device/presence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/result_codes.h"
#include "keyboard_session.h"

namespace talon {
namespace {

class RecordingPresencePort : public PresencePort {
 public:
  void StoreDefaultKeyMap(std::span<const std::uint8_t, kKeyBankSize> map) override {
    Add("map");
    std::lock_guard lock(mutex_);
    map_.assign(map.begin(), map.end());
  }
  void StoreMacroCapacity(std::size_t bytes) override { Add("capacity " + std::to_string(bytes)); }
  void KeyboardRemoved() override { Add("removed"); }
  void HideMainWindow() override { Add("hide"); }
  void RefreshProfile() override { Add("PROF"); }
  void RedrawGKeys() override { Add("LED"); }
  void PostOpen() override { Add("OPEN"); }
  void StartLightingReloadTimer() override { Add("timer 1051"); }
  std::uint8_t FlipGBank() override { return gbank_ ^= 0x01; }
  bool MainWindowReady() const override { return ready_; }
  void SetTrayPicture(int picture) override { Add("tray " + std::to_string(picture)); }
  void ShowGBank(bool bank_b) override { Add(bank_b ? "bank B" : "bank A"); }
  void ShowMessage(std::string_view key) override { Add("message " + std::string(key)); }

  std::vector<std::string> events() const {
    std::lock_guard lock(mutex_);
    return events_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
  }
  std::vector<std::uint8_t> map() const {
    std::lock_guard lock(mutex_);
    return map_;
  }
  std::atomic<bool> ready_{true};
  std::uint8_t gbank_ = 0x02;

 private:
  void Add(std::string event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
  }
  mutable std::mutex mutex_;
  std::vector<std::string> events_;
  std::vector<std::uint8_t> map_;
};

using Events = std::vector<std::string>;

// The program's start-up in miniature: the link hands its first count to the presence handling;
// no keyboard at start-up, or "/Start", makes the start quiet.
class PresenceTest : public ::testing::Test {
 protected:
  void Start(bool keyboard_present, bool start_switch) {
    vkb.Reset();
    if (!keyboard_present) vkb.Unplug();
    if (start_switch) presence.SetQuietStart();
    ASSERT_EQ(link.Start(&presence), StartResult::kStarted);
    if (link.start_count() == 0) presence.SetQuietStart();
    if (keyboard_present) {
      // The arrival ends with the tray picture (and 'OPEN', in the same step).
      for (int i = 0; i < 300 && !Saw("tray 141"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    Settle();
  }
  bool Saw(const std::string& event) const {
    const Events seen = port.events();
    return std::find(seen.begin(), seen.end(), event) != seen.end();
  }
  // Presence events travel through the library's thread first.
  void Settle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    presence.WaitIdle();
  }
  // Gives the port up to three seconds (a loaded machine) to have seen exactly `expected`.
  void ExpectEvents(const Events& expected) {
    for (int i = 0; i < 300 && port.events() != expected; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    presence.WaitIdle();
    EXPECT_EQ(port.events(), expected);
  }

  test::VirtualKeyboardControl vkb;
  DeviceLink link{test::FastTimings()};
  KeyboardCommands commands{link, test::FastTimings()};
  RecordingPresencePort port;
  KeyboardPresence presence{link, commands, port, std::chrono::milliseconds(5)};
};

const Events kArrival{"map", "capacity 4096", "PROF", "tray 141"};

TEST_F(PresenceTest, StartWithKeyboardOpensTheWindow) {
  Start(true, false);
  Events expected = kArrival;
  expected.push_back("OPEN");
  ExpectEvents(expected);
  EXPECT_EQ(port.map(), vkb.ReadMemory(KBSIM_AREA_DEFAULT_MAP, 0, kKeyBankSize));
}

TEST_F(PresenceTest, PluggingInWhileRunningHiddenWithStartKeepsTheWindowHidden) {
  Start(false, true);
  EXPECT_TRUE(port.events().empty());
  vkb.Plug();
  ExpectEvents(kArrival);
}

TEST_F(PresenceTest, PluggingInAfterStartingWithoutKeyboardKeepsTheWindowHidden) {
  Start(false, false);
  EXPECT_TRUE(port.events().empty());
  vkb.Plug();
  ExpectEvents(kArrival);
}

TEST_F(PresenceTest, UnplugHidesAndForgetsTheProfile) {
  Start(true, false);
  EXPECT_EQ(commands.GetActiveProfile(), 0);
  port.Clear();
  vkb.Unplug();
  ExpectEvents(Events{"removed", "hide", "tray 128"});
  vkb.Plug();
  Events expected{"removed", "hide", "tray 128"};
  expected.insert(expected.end(), kArrival.begin(), kArrival.end());
  ExpectEvents(expected);
  vkb.ClearLog();
  EXPECT_EQ(commands.GetActiveProfile(), 0);
  EXPECT_EQ(vkb.Commands(), std::vector<std::uint8_t>{command::kReadDeviceInfo});
}

TEST_F(PresenceTest, BurstIsHandledOnceEachInOrder) {
  Start(true, true);
  port.Clear();
  vkb.Unplug();
  vkb.Plug();
  vkb.Unplug();
  vkb.Plug();
  Events expected{"removed", "hide", "tray 128"};
  expected.insert(expected.end(), kArrival.begin(), kArrival.end());
  expected.insert(expected.end(), {"removed", "hide", "tray 128"});
  expected.insert(expected.end(), kArrival.begin(), kArrival.end());
  ExpectEvents(expected);
}

TEST_F(PresenceTest, TrayWaitsForTheWindowToBeReady) {
  port.ready_ = false;
  vkb.Reset();
  ASSERT_EQ(link.Start(&presence), StartResult::kStarted);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(port.events(), (Events{"map", "capacity 4096", "PROF"}));
  port.ready_ = true;
  ExpectEvents(Events{"map", "capacity 4096", "PROF", "tray 141", "OPEN"});
}

TEST_F(PresenceTest, FailedKeyMapReadKeepsTheOldMapAndSaysSo) {
  vkb.Reset();
  vkb.Unplug();
  ASSERT_EQ(link.Start(&presence), StartResult::kStarted);
  presence.SetQuietStart();
  vkb.InjectFault(KBSIM_FAULT_STATUS_255, 0, 3);  // the first chunk of the key map, every try
  vkb.Plug();
  ExpectEvents(Events{"message MAIN_DEFAULT_MATRIX_PROMPT", "capacity 4096", "PROF", "tray 141"});
}

TEST_F(PresenceTest, PlaySymbolComesAndGoes) {
  Start(true, true);
  port.Clear();
  vkb.RaiseConsumer(consumer_code::kPlayStarted);
  vkb.RaiseConsumer(consumer_code::kPlayEnded);
  vkb.RaiseConsumer(0x1802);  // ignored
  ExpectEvents(Events{"tray 142", "tray 141"});
}

TEST_F(PresenceTest, GBankKeyFlipsTheBankAndTellsTheKeyboard) {
  Start(true, true);
  port.Clear();
  vkb.RaiseConsumer(consumer_code::kGBankSwitch);
  ExpectEvents(Events{"LED", "bank B"});  // the indicator is written before 'LED' is sent
  EXPECT_EQ(vkb.ReadMemory(KBSIM_AREA_INDICATOR, 0, 2), (std::vector<std::uint8_t>{5, 0x03}));
  vkb.RaiseConsumer(consumer_code::kGBankSwitch);
  ExpectEvents(Events{"LED", "bank B", "LED", "bank A"});
  EXPECT_EQ(vkb.ReadMemory(KBSIM_AREA_INDICATOR, 0, 2), (std::vector<std::uint8_t>{5, 0x02}));
}

TEST_F(PresenceTest, SettingsChangedOnTheKeyboardArmsTheLightingTimer) {
  Start(true, true);
  port.Clear();
  vkb.RaiseConsumer(consumer_code::kSettingsChanged);
  ExpectEvents(Events{"timer 1051"});
}

}  // namespace
}  // namespace talon
