// Binding the service library and what the link hands on: start-up order and results,
// consumer codes, presence counts and the indicator write.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include <dlfcn.h>

#include "device/check_value.h"
#include "device/result_codes.h"
#include "keyboard_session.h"

namespace talon {
namespace {

// Waits up to a second for a condition that another thread brings about.
template <typename Predicate>
bool Eventually(Predicate predicate) {
  for (int i = 0; i < 200; ++i) {
    if (predicate()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return predicate();
}

std::string RecordedCalls() {
  void* handle = dlopen(RECORDING_BRIDGE_PATH, RTLD_NOW);
  if (handle == nullptr) return "not loaded";
  auto log = reinterpret_cast<const char* (*)()>(dlsym(handle, "RecordingBridgeLog"));
  std::string text = log != nullptr ? log() : "no log";
  dlclose(handle);
  return text;
}

std::string Hex(std::uint32_t value) {
  std::ostringstream out;
  out << std::hex << std::uppercase << value;
  return out.str();
}

TEST(LinkStart, BindsInitsAndRegistersInOrder) {
  DeviceLink link;
  ASSERT_EQ(link.Start(nullptr, RECORDING_BRIDGE_PATH), StartResult::kStarted) << link.error();
  EXPECT_EQ(link.start_count(), 1);
  const auto cons =
      RegistrationCheckValue(kConsumerCollection, &DeviceLink::OnBridgeEvent, KB_TAG_CONS);
  const auto ctrl = RegistrationCheckValue(kConfigChannel, &DeviceLink::OnBridgeEvent, KB_TAG_CTRL);
  const std::string expected =
      "Init 0\n"
      "Delete 0\n"
      "AsyncRead usage=0001 tag=434F4E53 check=" +
      Hex(cons) +
      " unit=1\n"
      "Delete 0\n"
      "AsyncRead usage=0092 tag=4354524C check=" +
      Hex(ctrl) +
      " unit=2\n"
      "Count usage=0092 check=146C zeros=0\n";
  EXPECT_EQ(RecordedCalls(), expected);

  // The indicator write cancels the request before it, the first time unit 0.
  link.WriteIndicator(0x03);
  link.WriteIndicator(0x02);
  EXPECT_NE(RecordedCalls().find("Delete 0\nStatusWrite usage=0089 tag=004C4544 data=05,03 "
                                 "length=2 unit=3\nDelete 3\nStatusWrite usage=0089 tag=004C4544 "
                                 "data=05,02 length=2 unit=4\n"),
            std::string::npos)
      << RecordedCalls();
}

TEST(LinkStart, FailuresAreDistinct) {
  {
    DeviceLink link;
    EXPECT_EQ(link.Start(nullptr, "libKbBridgeThatIsNotThere.so"),
              StartResult::kLibraryNotLoadable);
    EXPECT_NE(link.error().find("libKbBridgeThatIsNotThere.so"), std::string::npos);
  }
  {
    DeviceLink link;
    EXPECT_EQ(link.Start(nullptr, INCOMPLETE_BRIDGE_PATH), StartResult::kEntryMissing);
    EXPECT_NE(link.error().find("Debug"), std::string::npos);
  }
  {
    setenv("RECORDING_BRIDGE_INIT", "0", 1);
    DeviceLink link;
    EXPECT_EQ(link.Start(nullptr, RECORDING_BRIDGE_PATH), StartResult::kInitFailed);
    unsetenv("RECORDING_BRIDGE_INIT");
  }
}

TEST(LinkEvents, ConsumerCodesAndPresenceReachThePortInOrder) {
  test::KeyboardSession s;
  ASSERT_EQ(s.start_result, StartResult::kStarted) << s.link.error();
  s.vkb.RaiseConsumer(0x02FF);
  s.vkb.RaiseConsumer(0x1811);
  ASSERT_TRUE(Eventually([&] { return s.recorded.consumer_codes().size() == 2; }));
  EXPECT_EQ(s.recorded.consumer_codes(), (std::vector<std::uint16_t>{0x02FF, 0x1811}));

  s.vkb.Unplug();
  s.vkb.Plug();
  s.vkb.Unplug();
  ASSERT_TRUE(Eventually([&] { return s.recorded.presence().size() == 4; }));
  EXPECT_EQ(s.recorded.presence(), (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(s.link.CountDevices(), 0);
}

TEST(LinkEvents, StartWithoutKeyboardReportsZero) {
  test::VirtualKeyboardControl vkb;
  vkb.Reset();
  vkb.Unplug();
  test::RecordingEventPort port;
  DeviceLink link(test::FastTimings());
  ASSERT_EQ(link.Start(&port), StartResult::kStarted);
  EXPECT_EQ(link.start_count(), 0);
  EXPECT_EQ(port.presence(), std::vector<int>{0});
}

TEST(LinkEvents, IndicatorWriteReachesTheKeyboard) {
  test::KeyboardSession s;
  ASSERT_EQ(s.start_result, StartResult::kStarted);
  s.link.WriteIndicator(0x03);
  EXPECT_EQ(s.vkb.ReadMemory(KBSIM_AREA_INDICATOR, 0, 2), (std::vector<std::uint8_t>{5, 0x03}));
}

TEST(LinkEvents, AGoneLinkReceivesNothing) {
  test::VirtualKeyboardControl vkb;
  {
    test::KeyboardSession s;
    ASSERT_EQ(s.start_result, StartResult::kStarted);
  }
  // Events raised after the link went away must not reach it (nor crash).
  vkb.RaiseConsumer(0x0401);
  vkb.Unplug();
  vkb.Plug();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // delivered to nobody
  test::KeyboardSession s;
  EXPECT_EQ(s.recorded.consumer_codes().size(), 0u);
  EXPECT_EQ(s.recorded.presence(), std::vector<int>{1});
}

}  // namespace
}  // namespace talon
