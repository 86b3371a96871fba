// Taking the keyboard handling down while a handler waits for the window: the thread doing it
// is the window's, so it must serve the handler's call instead of waiting for the handler.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "device/presence.h"
#include "keyboard_session.h"

namespace talon {
namespace {

using namespace std::chrono_literals;

// The window's thread as other threads see it: a call sent to it waits until that thread
// serves it. Here the test's own thread plays the window.
class WindowThread {
 public:
  void Send(std::function<void()> call) {
    std::unique_lock lock(mutex_);
    const std::uint64_t ticket = ++sent_;
    calls_.push_back(std::move(call));
    changed_.notify_all();
    changed_.wait(lock, [&] { return served_ >= ticket; });
  }
  void Serve() {
    std::unique_lock lock(mutex_);
    while (!calls_.empty()) {
      auto call = std::move(calls_.front());
      calls_.pop_front();
      lock.unlock();
      call();
      lock.lock();
      ++served_;
      changed_.notify_all();
    }
  }
  bool WaitForCaller(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return !calls_.empty(); });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> calls_;
  std::uint64_t sent_ = 0;
  std::uint64_t served_ = 0;
};

// The presence port of the main window: the calls documented as sent and waited for go through
// the window's thread.
class WindowPort : public PresencePort {
 public:
  explicit WindowPort(WindowThread& window) : window_(window) {}
  void StoreDefaultKeyMap(std::span<const std::uint8_t, kKeyBankSize>) override {}
  void StoreMacroCapacity(std::size_t) override {}
  void KeyboardRemoved() override {
    window_.Send([] {});
  }
  void HideMainWindow() override {
    window_.Send([] {});
  }
  void RefreshProfile() override {
    window_.Send([this] { ++served; });
  }
  void RedrawGKeys() override {
    window_.Send([this] { ++served; });
  }
  void PostOpen() override {}
  void StartLightingReloadTimer() override {}
  std::uint8_t FlipGBank() override { return gbank_ ^= 0x01; }
  bool MainWindowReady() const override { return true; }
  void SetTrayPicture(int) override {}
  void ShowGBank(bool) override {}
  void ShowMessage(std::string_view) override {}
  void ServeWaitingCalls() override { window_.Serve(); }

  std::atomic<int> served{0};

 private:
  WindowThread& window_;
  std::uint8_t gbank_ = 0x02;
};

// An event port of its own whose consumer handler sends to the window.
class WindowEventPort : public DeviceEventPort {
 public:
  explicit WindowEventPort(WindowThread& window) : window_(window) {}
  void OnPresenceCount(int) override {}
  void OnConsumerCode(std::uint16_t) override {
    window_.Send([this] { ++served; });
  }
  void ServeWaitingCalls() override { window_.Serve(); }

  std::atomic<int> served{0};

 private:
  WindowThread& window_;
};

// A deadlock would hang the test run: give up loudly instead.
class Watchdog {
 public:
  explicit Watchdog(std::chrono::seconds limit)
      : thread_([this, limit] {
          std::unique_lock lock(mutex_);
          if (!done_cv_.wait_for(lock, limit, [this] { return done_; })) {
            std::fprintf(stderr, "deadlock: the teardown did not end\n");
            std::_Exit(1);
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    done_cv_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_cv_;
  bool done_ = false;
  std::thread thread_;
};

struct TeardownCase {
  const char* name;
  // Makes a handler run that waits for the window; the window serves what comes before.
  std::function<void(test::VirtualKeyboardControl&, WindowThread&, WindowPort&)> trigger;
  int served;  // window calls served in all
};

class TeardownTest : public ::testing::TestWithParam<TeardownCase> {};

TEST_P(TeardownTest, PresenceGoesAwayWhileAHandlerWaitsForTheWindow) {
  WindowThread window;
  WindowPort port(window);
  test::VirtualKeyboardControl vkb;
  vkb.Reset();
  vkb.Unplug();
  auto link = std::make_unique<DeviceLink>(test::FastTimings());
  auto commands = std::make_unique<KeyboardCommands>(*link, test::FastTimings());
  auto presence = std::make_unique<KeyboardPresence>(*link, *commands, port, 1ms);
  ASSERT_EQ(link->Start(presence.get()), StartResult::kStarted);
  presence->SetQuietStart();
  GetParam().trigger(vkb, window, port);
  ASSERT_TRUE(window.WaitForCaller(3s)) << "no handler reached the window";

  Watchdog watchdog(10s);
  presence.reset();
  commands.reset();
  link.reset();
  EXPECT_EQ(port.served, GetParam().served) << "each waiting call was served once";
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, TeardownTest,
    ::testing::Values(
        TeardownCase{"GBankKey",
                     [](test::VirtualKeyboardControl& vkb, WindowThread& window, WindowPort& port) {
                       vkb.Plug();
                       while (port.served == 0) {  // the arrival's refresh first
                         window.WaitForCaller(10ms);
                         window.Serve();
                       }
                       vkb.RaiseConsumer(consumer_code::kGBankSwitch);
                     },
                     2},
        TeardownCase{
            "Arrival",
            [](test::VirtualKeyboardControl& vkb, WindowThread&, WindowPort&) { vkb.Plug(); }, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Teardown, LinkGoesAwayWhileItsPortsHandlerWaitsForTheWindow) {
  WindowThread window;
  WindowEventPort port(window);
  test::VirtualKeyboardControl vkb;
  vkb.Reset();
  auto link = std::make_unique<DeviceLink>(test::FastTimings());
  ASSERT_EQ(link->Start(&port), StartResult::kStarted);
  vkb.RaiseConsumer(consumer_code::kGBankSwitch);
  ASSERT_TRUE(window.WaitForCaller(3s));

  Watchdog watchdog(10s);
  link.reset();
  EXPECT_EQ(port.served, 1);
}

}  // namespace
}  // namespace talon
