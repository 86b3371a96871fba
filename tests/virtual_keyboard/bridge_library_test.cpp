// The virtual keyboard build of libKbBridge.so, loaded by its bare name as the program loads
// it: check values, answers on the library's own thread, faults, presence events, consumer
// reports, registrations and the memory file.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "kb_bridge_abi.h"
#include "request_frame.h"
#include "virtual_keyboard_control.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Report = std::array<std::uint8_t, KB_REPORT_SIZE>;
using Clock = std::chrono::steady_clock;

struct Event {
  std::uint32_t kind;
  std::uint32_t tag;
  std::uint32_t count;
  Bytes data;
  std::optional<std::uint16_t> code;
  std::thread::id thread;
  Clock::time_point when;
};

// What the library's callbacks received; the callback is a plain function, so it is global.
class EventLog {
 public:
  void Add(const Event& e) {
    std::function<void(const Event&)> hook;
    {
      std::lock_guard lock(mutex_);
      events_.push_back(e);
      hook = hook_;
    }
    changed_.notify_all();
    // Streams deliver on threads of their own: the hook gets its own copy of the event.
    if (hook) hook(e);
  }
  std::vector<Event> WaitFor(std::size_t n, std::chrono::milliseconds timeout = 3s) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return events_.size() >= n; });
    return events_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
    hook_ = nullptr;
  }
  // Runs on the library's thread after an event is recorded.
  void SetHook(std::function<void(const Event&)> hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Event> events_;
  std::function<void(const Event&)> hook_;
};

EventLog& Log() {
  static EventLog log;
  return log;
}

int OnEvent(const KbBridgeEvent* event) {
  Event e{event->kind, event->block->tag,          event->block->count, {},
          {},          std::this_thread::get_id(), Clock::now()};
  if (event->block->data != nullptr)
    e.data.assign(event->block->data, event->block->data + event->block->count);
  if (event->block->parsed != nullptr) e.code = *event->block->parsed->consumer_code;
  Log().Add(std::move(e));
  return 1;
}

Bytes Record(std::uint16_t page, std::uint16_t usage) {
  return {0x0F,
          0,
          0,
          0,
          0x45,
          0x0C,
          0x27,
          0x5D,
          static_cast<std::uint8_t>(page & 0xFF),
          static_cast<std::uint8_t>(page >> 8),
          static_cast<std::uint8_t>(usage & 0xFF),
          static_cast<std::uint8_t>(usage >> 8),
          0,
          0,
          0,
          0};
}
const Bytes kConfig = Record(0xFF1C, 0x0092);
const Bytes kConsumer = Record(0x000C, 0x0001);
const Bytes kIndicator = Record(0x0008, 0x0089);

// The check value, summed byte by byte as the program does it.
std::uint32_t Check(std::initializer_list<Bytes> parts) {
  std::uint32_t sum = 0;
  for (const Bytes& part : parts)
    for (std::uint8_t b : part) sum += kKbCheckTable[b];
  return sum;
}

Bytes Le(std::uint64_t value, std::size_t width) {
  Bytes b(width);
  for (std::size_t i = 0; i < width; ++i) b[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return b;
}

Bytes AddressOf(KbBridgeCallback callback) {
  return Le(reinterpret_cast<std::uintptr_t>(callback), sizeof(void*));
}

Report Request(std::uint8_t command, std::uint8_t length, std::uint16_t offset,
               const Bytes& payload = {}) {
  return talon::test::RequestFrame(command, length, offset, payload);
}

class BridgeLibrary : public testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen("libKbBridge.so", RTLD_NOW);
    ASSERT_NE(handle_, nullptr) << dlerror();
    Bind("Init", init_);
    Bind("End", end_);
    Bind("RequestGetDeviceCount", count_);
    Bind("RequestWriteOne", write_);
    Bind("RequestAsyncRead", read_);
    Bind("RequestStatusWrite", status_);
    Bind("DeleteRequestFromUnitId", delete_);
    ASSERT_TRUE(vkb_.bound());
    ASSERT_EQ(init_(0), 1);
    vkb_.Reset();
    Drain();
  }

  void TearDown() override {
    for (std::uint32_t id : units_) delete_(id);
    vkb_.ClearFaults();
    Log().Clear();
    if (handle_ != nullptr) dlclose(handle_);
  }

  template <typename Fn>
  void Bind(const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(dlsym(handle_, name));
    ASSERT_NE(fn, nullptr) << name;
  }

  std::uint32_t Listen(const Bytes& record, std::uint32_t tag) {
    std::uint32_t id = 0;
    EXPECT_EQ(
        read_(record.data(), OnEvent, tag, Check({record, AddressOf(OnEvent), Le(tag, 4)}), &id),
        1);
    EXPECT_NE(id, 0u);
    units_.push_back(id);
    return id;
  }

  int Send(const Report& report) {
    return write_(kConfig.data(), 0, 0, report.data(), KB_REPORT_SIZE,
                  Check({kConfig, Bytes(8, 0), Bytes(report.begin(), report.end())}), 0);
  }

  int Count(const Bytes& record) {
    return count_(record.data(), 0, 0, Check({record, Bytes(8, 0)}), 0);
  }

  // Lets everything the keyboard still has queued happen before the test begins.
  void Drain() {
    const std::uint32_t id = Listen(kConfig, KB_TAG_CTRL);
    ASSERT_EQ(Send(Request(1, 0, 0)), 1);
    const auto deadline = Clock::now() + 3s;
    for (std::size_t seen = 1;; ++seen) {
      const auto events = Log().WaitFor(seen, 3s);
      if (!events.empty() && events.back().kind == 1 && events.back().data[3] == 1) break;
      ASSERT_LT(Clock::now(), deadline) << "the keyboard does not answer";
    }
    delete_(id);
    std::erase(units_, id);
    Log().Clear();
    vkb_.ClearLog();
  }

  void* handle_ = nullptr;
  KbInitFn init_ = nullptr;
  KbEndFn end_ = nullptr;
  KbRequestGetDeviceCountFn count_ = nullptr;
  KbRequestWriteOneFn write_ = nullptr;
  KbRequestAsyncReadFn read_ = nullptr;
  KbRequestStatusWriteFn status_ = nullptr;
  KbDeleteRequestFromUnitIdFn delete_ = nullptr;
  talon::test::VirtualKeyboardControl vkb_;
  std::vector<std::uint32_t> units_;
};

TEST_F(BridgeLibrary, EveryRequestIsRefusedWhenItsCheckValueIsWrong) {
  EXPECT_EQ(Count(kConfig), 1);
  EXPECT_EQ(count_(kConfig.data(), 0, 0, Check({kConfig, Bytes(8, 0)}) + 1, 0), 0);
  EXPECT_EQ(Count(Record(0xFF1C, 0x0093)), 0);

  const Report report = Request(6, 1, 0, {9});
  const std::uint32_t good = Check({kConfig, Bytes(8, 0), Bytes(report.begin(), report.end())});
  EXPECT_EQ(write_(kConfig.data(), 0, 0, report.data(), 64, good - 1, 0), 0);
  EXPECT_EQ(vkb_.Frames().size(), 0u);

  std::uint32_t id = 77;
  const std::uint32_t listen = Check({kConfig, AddressOf(OnEvent), Le(KB_TAG_CTRL, 4)});
  EXPECT_EQ(read_(kConfig.data(), OnEvent, KB_TAG_CTRL, listen + 1, &id), 0);
  EXPECT_EQ(read_(kConfig.data(), OnEvent, KB_TAG_CONS, listen, &id), 0);  // tag is covered
  EXPECT_EQ(id, 77u);

  const Bytes led = {5, 0x03};
  const std::uint32_t status = Check({kIndicator, AddressOf(OnEvent), Le(KB_TAG_LED, 4), led});
  EXPECT_EQ(status_(kIndicator.data(), OnEvent, KB_TAG_LED, led.data(), 2, status ^ 4, &id), 0);
  EXPECT_EQ(vkb_.ReadMemory(KBSIM_AREA_INDICATOR, 0, 2), (Bytes{5, 0x02}));

  // The same calls with the right values go through.
  EXPECT_EQ(write_(kConfig.data(), 0, 0, report.data(), 64, good, 0), 1);
  EXPECT_EQ(vkb_.Frames().size(), 1u);
  EXPECT_EQ(status_(kIndicator.data(), OnEvent, KB_TAG_LED, led.data(), 2, status, &id), 1);
  units_.push_back(id);
  EXPECT_NE(id, 77u);
  EXPECT_EQ(vkb_.ReadMemory(KBSIM_AREA_INDICATOR, 0, 2), led);
  EXPECT_EQ(delete_(id), 1);
  EXPECT_EQ(delete_(id), 0);
}

TEST_F(BridgeLibrary, AnswersArriveOnTheCtrlStreamFromTheLibrarysThread) {
  Listen(kConfig, KB_TAG_CTRL);
  Listen(kConsumer, KB_TAG_CONS);
  const Report request = Request(3, 44, 0);
  ASSERT_EQ(Send(request), 1);
  const auto events = Log().WaitFor(1);
  ASSERT_EQ(events.size(), 1u);
  const Event& e = events[0];
  EXPECT_EQ(e.kind, 1u);
  EXPECT_EQ(e.tag, KB_TAG_CTRL);
  EXPECT_EQ(e.count, 64u);
  EXPECT_NE(e.thread, std::this_thread::get_id());
  EXPECT_TRUE(std::equal(request.begin(), request.begin() + 7, e.data.begin()));
  EXPECT_EQ(e.data[7], 0);
  EXPECT_EQ(e.data[8 + 8], 0x04);  // firmware 0x0104
  EXPECT_EQ(e.data[8 + 9], 0x01);
  ASSERT_EQ(vkb_.Frames().size(), 1u);
  EXPECT_TRUE(std::equal(request.begin(), request.end(), vkb_.Frames()[0].begin()));
}

TEST_F(BridgeLibrary, ACallbackMayWriteTheNextReport) {
  Listen(kConfig, KB_TAG_CTRL);
  Log().SetHook([this](const Event& e) {
    if (e.kind == 1 && e.data[3] == 1) {
      EXPECT_EQ(Send(Request(2, 0, 0)), 1);
    }
  });
  ASSERT_EQ(Send(Request(1, 0, 0)), 1);
  const auto events = Log().WaitFor(2);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].data[3], 2);
  EXPECT_EQ(vkb_.Commands(), (Bytes{1, 2}));
}

struct FaultCase {
  const char* name;
  std::uint32_t kind;
  std::uint32_t param;
};

// Three settings writes; the fault hits the second. What happens to it is the case's.
TEST_F(BridgeLibrary, EachFaultHitsTheAnswersItIsAimedAt) {
  const FaultCase cases[] = {
      {"drop", KBSIM_FAULT_DROP, 0},
      {"wrong command", KBSIM_FAULT_WRONG_COMMAND, 0},
      {"status 254", KBSIM_FAULT_STATUS_254, 0},
      {"status 255", KBSIM_FAULT_STATUS_255, 0},
      {"delay", KBSIM_FAULT_DELAY, 300},
      {"short", KBSIM_FAULT_SHORT, 8},
      {"unplug", KBSIM_FAULT_UNPLUG, 0},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    vkb_.Reset();
    Drain();
    Listen(kConfig, KB_TAG_CTRL);
    vkb_.InjectFault(c.kind, 1, 1, c.param);
    std::array<Clock::time_point, 3> sent;
    for (std::uint8_t i = 0; i < 3; ++i) {
      sent[i] = Clock::now();
      const int written = Send(Request(6, 1, i, {static_cast<std::uint8_t>(10 + i)}));
      EXPECT_EQ(written, c.kind == KBSIM_FAULT_UNPLUG && i == 2 ? 0 : 1);
      if (c.kind == KBSIM_FAULT_UNPLUG && i == 1) Log().WaitFor(2);  // the keyboard is gone
    }
    const bool two = c.kind == KBSIM_FAULT_DROP || c.kind == KBSIM_FAULT_UNPLUG;
    const std::size_t expected = two ? 2 : 3;
    auto events = Log().WaitFor(expected);
    std::this_thread::sleep_for(100ms);  // nothing more may come
    events = Log().WaitFor(expected, 0ms);
    ASSERT_EQ(events.size(), expected);
    const Bytes settings = vkb_.ReadMemory(KBSIM_AREA_SETTINGS, 0, 3);

    EXPECT_EQ(events[0].data[5], 0);
    switch (c.kind) {
      case KBSIM_FAULT_DROP:
        EXPECT_EQ(events[1].data[5], 2);
        EXPECT_EQ(settings, (Bytes{10, 11, 12}));  // carried out, only the answer was lost
        break;
      case KBSIM_FAULT_WRONG_COMMAND:
        EXPECT_NE(events[1].data[3], 6);
        EXPECT_EQ(events[2].data[3], 6);
        break;
      case KBSIM_FAULT_STATUS_254:
      case KBSIM_FAULT_STATUS_255:
        EXPECT_EQ(events[1].data[7], c.kind == KBSIM_FAULT_STATUS_254 ? 254 : 255);
        EXPECT_EQ(events[1].data[3], 6);
        EXPECT_EQ(events[2].data[7], 0);
        EXPECT_EQ(settings, (Bytes{10, 5, 12}));  // the second write was not carried out
        break;
      case KBSIM_FAULT_DELAY:
        EXPECT_GE(events[1].when - sent[1], 300ms);
        EXPECT_EQ(events[2].data[5], 2);  // answers stay in order
        break;
      case KBSIM_FAULT_SHORT:
        EXPECT_EQ(events[1].count, 8u);
        EXPECT_EQ(events[2].count, 64u);
        break;
      case KBSIM_FAULT_UNPLUG:
        EXPECT_EQ(events[1].kind, 0u);
        EXPECT_EQ(events[1].count, 0u);
        EXPECT_EQ(Count(kConfig), 0);
        EXPECT_EQ(settings, (Bytes{10, 5, 3}));
        break;
    }
    if (c.kind != KBSIM_FAULT_UNPLUG) {
      EXPECT_EQ(events.back().data[7], 0);
    }
    for (std::uint32_t id : units_) delete_(id);
    units_.clear();
  }
}

TEST_F(BridgeLibrary, FaultsCountAnswersAfterTheSkippedOnes) {
  Listen(kConfig, KB_TAG_CTRL);
  vkb_.InjectFault(KBSIM_FAULT_STATUS_255, 2, 2);
  for (std::uint16_t i = 0; i < 5; ++i) ASSERT_EQ(Send(Request(6, 1, i, {1})), 1);
  const auto events = Log().WaitFor(5);
  ASSERT_EQ(events.size(), 5u);
  Bytes statuses;
  for (const Event& e : events) statuses.push_back(e.data[7]);
  EXPECT_EQ(statuses, (Bytes{0, 0, 255, 255, 0}));

  vkb_.InjectFault(KBSIM_FAULT_STATUS_254, 0, 5);
  vkb_.ClearFaults();
  ASSERT_EQ(Send(Request(1, 0, 0)), 1);
  EXPECT_EQ(Log().WaitFor(6).back().data[7], 0);
}

TEST_F(BridgeLibrary, LatencyDelaysEveryAnswer) {
  Listen(kConfig, KB_TAG_CTRL);
  vkb_.SetLatencyMicroseconds(200'000);
  const auto start = Clock::now();
  ASSERT_EQ(Send(Request(1, 0, 0)), 1);
  ASSERT_EQ(Send(Request(2, 0, 0)), 1);
  const auto events = Log().WaitFor(2);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_GE(events[0].when - start, 200ms);
  EXPECT_GE(events[1].when - start, 400ms);
}

// What benchmarks subtract as the keyboard's own time: its latency as slept, within the time
// each answer spent in the keyboard, counted once however many streams hear the answer.
TEST_F(BridgeLibrary, TheTimeAnswersCostTheKeyboardIsAccountedOnce) {
  Listen(kConfig, KB_TAG_CTRL);
  Listen(kConfig, KB_TAG_CTRL);
  vkb_.SetLatencyMicroseconds(100'000);
  const auto before = vkb_.Answers();
  const auto start = Clock::now();
  ASSERT_EQ(Send(Request(1, 0, 0)), 1);
  ASSERT_EQ(Send(Request(2, 0, 0)), 1);
  const auto events = Log().WaitFor(4);
  ASSERT_EQ(events.size(), 4u);
  const auto last = std::max_element(events.begin(), events.end(), [](auto& a, auto& b) {
                      return a.when < b.when;
                    })->when;
  const auto after = vkb_.Answers();
  const auto waited = after.waited - before.waited;
  const auto held = after.held - before.held;
  EXPECT_GE(waited, 200ms);
  EXPECT_GE(held, waited);
  // The first answer was held about 100 ms, the second 200 ms: counted twice they would pass
  // twice the whole time.
  EXPECT_LT(held, 2 * (last - start));
}

TEST_F(BridgeLibrary, PlugAndUnplugAreReportedInOrderOnEveryStream) {
  Listen(kConfig, KB_TAG_CTRL);
  Listen(kConsumer, KB_TAG_CONS);
  vkb_.Unplug();
  vkb_.Unplug();  // already out: nothing
  EXPECT_EQ(Count(kConfig), 0);
  EXPECT_EQ(Count(kConsumer), 0);
  EXPECT_EQ(Send(Request(1, 0, 0)), 0);
  vkb_.Plug();
  vkb_.Unplug();
  vkb_.Plug();
  vkb_.Plug();
  EXPECT_EQ(Count(kConfig), 1);
  const auto events = Log().WaitFor(8);
  std::this_thread::sleep_for(50ms);
  ASSERT_EQ(Log().WaitFor(8, 0ms).size(), 8u);
  std::map<std::uint32_t, std::vector<std::uint32_t>> counts;  // per tag
  for (const Event& e : events) {
    EXPECT_EQ(e.kind, 0u);
    counts[e.tag].push_back(e.count);
  }
  const std::vector<std::uint32_t> expected{0, 1, 0, 1};
  EXPECT_EQ(counts[KB_TAG_CTRL], expected);
  EXPECT_EQ(counts[KB_TAG_CONS], expected);
}

// Each stream has a thread of its own: a consumer callback that waits (a G-bank press waiting
// for the window) holds up neither the answers nor the presence changes of the other stream.
TEST_F(BridgeLibrary, AWaitingConsumerCallbackHoldsUpOnlyItsOwnStream) {
  Listen(kConfig, KB_TAG_CTRL);
  Listen(kConsumer, KB_TAG_CONS);
  // Static: the hook may still be running when a failed assertion ends the test.
  static std::atomic<bool> release;
  release = false;
  const struct Release {
    ~Release() { release = true; }
  } release_at_exit;
  Log().SetHook([](const Event& e) {
    while (e.tag == KB_TAG_CONS && e.kind == 1 && !release) std::this_thread::sleep_for(1ms);
  });
  vkb_.RaiseConsumer(0x02FF);
  ASSERT_EQ(Log().WaitFor(1).size(), 1u);
  ASSERT_EQ(Send(Request(3, 44, 0)), 1);
  ASSERT_EQ(Log().WaitFor(2).size(), 2u) << "no answer while the consumer callback waits";
  vkb_.Unplug();
  const auto events = Log().WaitFor(3);
  ASSERT_EQ(events.size(), 3u) << "no presence change while the consumer callback waits";
  EXPECT_EQ(events[1].tag, KB_TAG_CTRL);
  EXPECT_EQ(events[1].kind, 1u);
  EXPECT_EQ(events[2].tag, KB_TAG_CTRL);
  EXPECT_EQ(events[2].kind, 0u);
  // The consumer stream's own presence change follows its report once released.
  release = true;
  const auto all = Log().WaitFor(4);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[3].tag, KB_TAG_CONS);
  EXPECT_EQ(all[3].kind, 0u);
}

TEST_F(BridgeLibrary, ConsumerCodesArriveAsParsedReportsOnTheConsStream) {
  Listen(kConfig, KB_TAG_CTRL);
  Listen(kConsumer, KB_TAG_CONS);
  vkb_.RaiseConsumer(0x02FF);
  vkb_.RaiseConsumer(0x1811);
  const auto events = Log().WaitFor(2);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, 1u);
  EXPECT_EQ(events[0].tag, KB_TAG_CONS);
  EXPECT_EQ(events[0].data, (Bytes{2, 0xFF, 0x02}));
  EXPECT_EQ(events[0].code, 0x02FF);
  EXPECT_EQ(events[1].code, 0x1811);

  vkb_.Unplug();
  vkb_.RaiseConsumer(0x0401);  // no keyboard, no key press
  vkb_.Plug();
  // The two presence changes, on each of the two streams.
  EXPECT_EQ(Log().WaitFor(6).size(), 6u);
  std::this_thread::sleep_for(50ms);
  const auto all = Log().WaitFor(7, 0ms);
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const Event& e) { return e.kind == 1; }), 2);
}

TEST_F(BridgeLibrary, NothingIsDeliveredOnceDeleteHasReturned) {
  const std::uint32_t first = Listen(kConfig, KB_TAG_CTRL);
  std::atomic<bool> inside{false};
  std::atomic<bool> entered{false};
  Log().SetHook([&](const Event&) {
    inside = true;
    entered = true;
    std::this_thread::sleep_for(200ms);
    inside = false;
  });
  ASSERT_EQ(Send(Request(1, 0, 0)), 1);
  while (!entered) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(delete_(first), 1);
  EXPECT_FALSE(inside);  // Delete waited for the callback in progress

  Log().Clear();
  const std::uint32_t second = Listen(kConfig, KB_TAG_CTRL);
  EXPECT_NE(second, first);
  ASSERT_EQ(Send(Request(2, 0, 0)), 1);
  const auto events = Log().WaitFor(1);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(Log().WaitFor(2, 0ms).size(), 1u);  // only the live registration
}

TEST_F(BridgeLibrary, ResetRestoresTheFactoryKeyboardAndKeepsRegistrations) {
  Listen(kConfig, KB_TAG_CTRL);
  ASSERT_TRUE(vkb_.WriteMemory(KBSIM_AREA_KEY_BANKS, 57, {3, 0xE2, 0}));
  EXPECT_EQ(vkb_.KeyActionAt(19)->kind, KBSIM_ACTION_CONSUMER);
  vkb_.InjectFault(KBSIM_FAULT_DROP, 0, 10);
  vkb_.SetLatencyMicroseconds(500'000);
  vkb_.Unplug();
  Log().WaitFor(1);

  vkb_.Reset();
  EXPECT_EQ(vkb_.KeyActionAt(19)->kind, KBSIM_ACTION_KEY);
  EXPECT_EQ(vkb_.KeyActionAt(19)->value, 0x04u);
  EXPECT_FALSE(vkb_.KeyActionAt(140).has_value());
  EXPECT_EQ(vkb_.Frames().size(), 0u);
  EXPECT_EQ(Count(kConfig), 1);
  const auto start = Clock::now();
  ASSERT_EQ(Send(Request(1, 0, 0)), 1);
  const auto events = Log().WaitFor(3);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[1].kind, 0u);
  EXPECT_EQ(events[1].count, 1u);
  EXPECT_EQ(events[2].data[7], 0);
  EXPECT_LT(events[2].when - start, 400ms);
}

TEST_F(BridgeLibrary, CommittedMemorySurvivesEndAndInit) {
  const std::filesystem::path file = std::getenv("TALON7X_VKB_STATE");
  Listen(kConfig, KB_TAG_CTRL);
  ASSERT_EQ(Send(Request(1, 0, 0)), 1);
  ASSERT_EQ(Send(Request(6, 2, 42, {7, 4})), 1);
  ASSERT_EQ(Send(Request(2, 0, 0)), 1);
  ASSERT_EQ(Send(Request(6, 1, 84, {9})), 1);  // never committed
  ASSERT_EQ(Log().WaitFor(4).size(), 4u);
  EXPECT_TRUE(std::filesystem::exists(file));

  ASSERT_EQ(end_(), 1);
  units_.clear();
  ASSERT_EQ(init_(0), 1);
  EXPECT_EQ(vkb_.ReadMemory(KBSIM_AREA_SETTINGS, 42, 2), (Bytes{7, 4}));
  EXPECT_EQ(vkb_.ReadMemory(KBSIM_AREA_SETTINGS, 84, 1), (Bytes{1}));
}

TEST_F(BridgeLibrary, EnvironmentSetsFirmwareCapacityAndPresenceAtStart) {
  ASSERT_EQ(end_(), 1);
  setenv("TALON7X_VKB_FIRMWARE", "0x0103", 1);
  setenv("TALON7X_VKB_CAPACITY", "4", 1);
  setenv("TALON7X_VKB_ABSENT", "1", 1);
  ASSERT_EQ(init_(0), 1);
  unsetenv("TALON7X_VKB_FIRMWARE");
  unsetenv("TALON7X_VKB_CAPACITY");
  unsetenv("TALON7X_VKB_ABSENT");
  EXPECT_EQ(Count(kConfig), 0);
  EXPECT_EQ(vkb_.ReadMemory(KBSIM_AREA_DEVICE_INFO, 8, 4), (Bytes{0x03, 0x01, 0, 4}));
  EXPECT_EQ(vkb_.ReadMemory(KBSIM_AREA_MACROS, 0, 512).size(), 512u);
  EXPECT_TRUE(vkb_.ReadMemory(KBSIM_AREA_MACROS, 0, 513).empty());

  ASSERT_EQ(end_(), 1);
  ASSERT_EQ(init_(0), 1);
  EXPECT_EQ(Count(kConfig), 1);
  EXPECT_EQ(vkb_.ReadMemory(KBSIM_AREA_DEVICE_INFO, 8, 4), (Bytes{0x04, 0x01, 0, 32}));
}

}  // namespace
