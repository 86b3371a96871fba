// The hidapi build of the service library, run over a fake hidapi whose keyboards answer with
// the firmware model: check values, counting, the report exchange, which reports of a shared
// node each stream takes, consumer codes, the indicator write, hot-plug events and ending
// registrations.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "bridge.h"
#include "fake_hidapi.h"
#include "kb_bridge_abi.h"

namespace talon::bridge {
namespace {

using test::FakeCollection;
using test::FakeHidBus;
using test::kConfigReportId;
using test::kConsumerReportId;
using test::kKeysReportId;
using Bytes = std::vector<std::uint8_t>;
using Record = std::array<std::uint8_t, 16>;
using Clock = std::chrono::steady_clock;

constexpr auto kPresenceLimit = std::chrono::seconds(1);

Record MakeRecord(std::uint16_t usage_page, std::uint16_t usage, std::uint32_t flags = 0x0F,
                  std::uint16_t product = KB_PRODUCT_ID) {
  Record r{};
  for (int i = 0; i < 4; ++i) r[i] = static_cast<std::uint8_t>(flags >> (8 * i));
  const std::uint16_t fields[] = {KB_VENDOR_ID, product, usage_page, usage};
  for (int f = 0; f < 4; ++f) {
    r[4 + 2 * f] = static_cast<std::uint8_t>(fields[f]);
    r[5 + 2 * f] = static_cast<std::uint8_t>(fields[f] >> 8);
  }
  return r;
}

const Record kConfig = MakeRecord(KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE);
const Record kConsumer = MakeRecord(KB_CONSUMER_USAGE_PAGE, KB_CONSUMER_USAGE);
const Record kIndicator = MakeRecord(KB_INDICATOR_USAGE_PAGE, KB_INDICATOR_USAGE);

// Check values are summed here straight from the table, not with the library's helper.
Bytes Le(std::uint64_t value, std::size_t size) {
  Bytes out(size);
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return out;
}

std::uint32_t Check(std::initializer_list<std::span<const std::uint8_t>> parts) {
  std::uint32_t sum = 0;
  for (auto part : parts) sum = KbCheckAdd(sum, part.data(), part.size());
  return sum;
}

Bytes AddressBytes(KbBridgeCallback callback) {
  return Le(reinterpret_cast<std::uintptr_t>(callback), sizeof(void*));
}

std::uint32_t CountCheck(const Record& record) {
  return Check({record, Le(0, 8)});
}
std::uint32_t WriteCheck(const Record& record, std::span<const std::uint8_t> report) {
  return Check({record, Le(0, 8), report});
}
std::uint32_t ReadCheck(const Record& record, KbBridgeCallback callback, std::uint32_t tag) {
  return Check({record, AddressBytes(callback), Le(tag, 4)});
}
std::uint32_t StatusCheck(const Record& record, KbBridgeCallback callback, std::uint32_t tag,
                          std::span<const std::uint8_t> data) {
  return Check({record, AddressBytes(callback), Le(tag, 4), data});
}

// A configuration report as the program builds it: report id 4, command, length, checksum.
std::array<std::uint8_t, KB_REPORT_SIZE> ConfigReport(std::uint8_t command, std::uint8_t length) {
  std::array<std::uint8_t, KB_REPORT_SIZE> frame{};
  frame[0] = 4;
  frame[3] = command;
  frame[4] = length;
  unsigned sum = 0;
  for (std::size_t i = 3; i < frame.size(); ++i) sum += frame[i];
  frame[1] = static_cast<std::uint8_t>(sum);
  frame[2] = static_cast<std::uint8_t>(sum >> 8);
  return frame;
}

// The callbacks carry no context, so every event lands in one process-wide log.
struct Event {
  std::uint32_t kind;
  std::uint32_t tag;
  std::uint32_t count;
  Bytes data;
  std::uint16_t code;
  Clock::time_point at;
};

class EventLog {
 public:
  void Add(Event e) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(e));
  }
  std::vector<Event> Of(std::uint32_t kind, std::uint32_t tag) const {
    std::lock_guard lock(mutex_);
    std::vector<Event> out;
    for (const Event& e : events_) {
      if (e.kind == kind && e.tag == tag) out.push_back(e);
    }
    return out;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<Event> events_;
};

EventLog& Log() {
  static EventLog log;
  return log;
}

int RecordEvent(const KbBridgeEvent* event) {
  const KbStreamBlock& b = *event->block;
  Bytes data;
  if (event->kind == KB_EVENT_REPORT) data.assign(b.data, b.data + b.count);
  Log().Add({event->kind, b.tag, b.count, data, *b.parsed->consumer_code, Clock::now()});
  return 1;
}

// Same as RecordEvent at another address, to show the address is covered by the check.
int RecordEventElsewhere(const KbBridgeEvent* event) {
  return RecordEvent(event) + 0;
}

bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(2)) {
  const auto end = Clock::now() + limit;
  while (Clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return condition();
}

Bytes FirmwareBytes(std::size_t keyboard, std::uint32_t area, std::size_t length) {
  Bytes out(length);
  FakeHidBus::Instance().WithFirmware(keyboard, [&](vkb::Firmware& f) {
    if (!f.Read(area, 0, out)) out.clear();
  });
  return out;
}

class HidBridgeTest : public testing::Test {
 protected:
  void SetUp() override {
    bus().Reset();
    Log().Clear();
    bridge_ = std::make_unique<Bridge>();
  }

  void TearDown() override {
    bridge_.reset();
    EXPECT_EQ(bus().OpenHandles(), 0) << "the library left handles open";
  }

  static FakeHidBus& bus() { return FakeHidBus::Instance(); }
  Bridge& bridge() { return *bridge_; }

  int Count(const Record& record) {
    return bridge().RequestGetDeviceCount(record.data(), 0, 0, CountCheck(record), 0);
  }
  int Write(std::span<const std::uint8_t> report) {
    return bridge().RequestWriteOne(kConfig.data(), 0, 0, report.data(),
                                    static_cast<std::uint32_t>(report.size()),
                                    WriteCheck(kConfig, report), 0);
  }
  int StatusWrite(const Bytes& data, std::uint32_t* unit) {
    return bridge().RequestStatusWrite(kIndicator.data(), RecordEvent, KB_TAG_LED, data.data(),
                                       static_cast<std::uint32_t>(data.size()),
                                       StatusCheck(kIndicator, RecordEvent, KB_TAG_LED, data),
                                       unit);
  }
  // Registers a stream and waits until its reader holds the collection open on keyboard 0.
  std::uint32_t Register(const Record& record, std::uint32_t tag, FakeCollection collection) {
    std::uint32_t unit = 0;
    EXPECT_EQ(bridge().RequestAsyncRead(record.data(), RecordEvent, tag,
                                        ReadCheck(record, RecordEvent, tag), &unit),
              1);
    EXPECT_GT(unit, 0u);
    EXPECT_TRUE(WaitUntil([&] { return bus().OpenHandles(0, collection) > 0; }));
    return unit;
  }

  std::unique_ptr<Bridge> bridge_;
};

TEST_F(HidBridgeTest, EveryRequestRefusesAWrongCheckValue) {
  bus().AddKeyboard();
  const auto report = ConfigReport(3, 44);
  const Bytes led = {5, 0x03};
  // Each call made with a check value that is off (wrong == true) or right.
  struct Call {
    const char* what;
    std::function<int(Bridge&, bool wrong, std::uint32_t* unit)> make;
  };
  const std::vector<Call> calls = {
      {"count",
       [&](Bridge& b, bool wrong, std::uint32_t*) {
         return b.RequestGetDeviceCount(kConfig.data(), 0, 0, CountCheck(kConfig) + wrong, 0);
       }},
      {"write",
       [&](Bridge& b, bool wrong, std::uint32_t*) {
         return b.RequestWriteOne(kConfig.data(), 0, 0, report.data(), 64,
                                  WriteCheck(kConfig, report) - wrong, 0);
       }},
      {"read",
       [&](Bridge& b, bool wrong, std::uint32_t* unit) {
         return b.RequestAsyncRead(kConsumer.data(), RecordEvent, KB_TAG_CONS,
                                   ReadCheck(kConsumer, RecordEvent, KB_TAG_CONS) + wrong, unit);
       }},
      {"read, check of another callback",
       [&](Bridge& b, bool wrong, std::uint32_t* unit) {
         const auto cb = wrong ? RecordEventElsewhere : RecordEvent;
         return b.RequestAsyncRead(kConfig.data(), RecordEvent, KB_TAG_CTRL,
                                   ReadCheck(kConfig, cb, KB_TAG_CTRL), unit);
       }},
      {"read, check of another tag",
       [&](Bridge& b, bool wrong, std::uint32_t* unit) {
         const std::uint32_t tag = wrong ? KB_TAG_CONS : KB_TAG_CTRL;
         return b.RequestAsyncRead(kConfig.data(), RecordEvent, KB_TAG_CTRL,
                                   ReadCheck(kConfig, RecordEvent, tag), unit);
       }},
      {"status write",
       [&](Bridge& b, bool wrong, std::uint32_t* unit) {
         return b.RequestStatusWrite(kIndicator.data(), RecordEvent, KB_TAG_LED, led.data(), 2,
                                     StatusCheck(kIndicator, RecordEvent, KB_TAG_LED, led) + wrong,
                                     unit);
       }},
      {"status write, check of other data",
       [&](Bridge& b, bool wrong, std::uint32_t* unit) {
         const Bytes checked = wrong ? Bytes{5, 0x02} : led;
         return b.RequestStatusWrite(kIndicator.data(), RecordEvent, KB_TAG_LED, led.data(), 2,
                                     StatusCheck(kIndicator, RecordEvent, KB_TAG_LED, checked),
                                     unit);
       }},
  };

  for (const Call& call : calls) {
    std::uint32_t unit = 0xDEAD;
    EXPECT_EQ(call.make(bridge(), true, &unit), 0) << call.what;
    EXPECT_EQ(unit, 0xDEADu) << call.what;
  }
  // Long enough for a registered reader to open its collection and the watcher to poll.
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_EQ(bus().OpenHandles(), 0);
  EXPECT_TRUE(bus().Written(0, FakeCollection::kConfig).empty());
  EXPECT_TRUE(bus().Written(0, FakeCollection::kIndicator).empty());

  for (const Call& call : calls) {
    std::uint32_t unit = 0;
    EXPECT_GT(call.make(bridge(), false, &unit), 0) << call.what;
  }
  EXPECT_EQ(bus().Written(0, FakeCollection::kConfig).size(), 1u);
  EXPECT_EQ(bus().Written(0, FakeCollection::kIndicator).size(), 2u);
}

TEST_F(HidBridgeTest, CountsCollectionsThatMatchTheRecord) {
  EXPECT_EQ(bridge().Init(0), 1);
  EXPECT_EQ(bus().init_calls(), 1);
  // The bus always holds another product with a vendor collection of the same usage and
  // another maker's consumer collection. A keyboard shows five collections on two nodes.
  struct Case {
    const char* what;
    Record record;
    int per_keyboard;
    int foreign;
  };
  const Case cases[] = {
      {"configuration channel", kConfig, 1, 0},
      {"consumer collection", kConsumer, 1, 0},
      {"indicator output", kIndicator, 1, 0},
      {"another usage", MakeRecord(KB_CONFIG_USAGE_PAGE, 0x0093), 0, 0},
      {"another product", MakeRecord(KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE, 0x0F, 0x5D28), 0, 1},
      {"vendor and product only", MakeRecord(0xFFFF, 0xFFFF, 0x03), 5, 0},
      {"product not significant", MakeRecord(KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE, 0x0D), 1, 1},
      {"usage page only", MakeRecord(KB_CONSUMER_USAGE_PAGE, 0xFFFF, 0x04), 1, 1},
  };
  for (int keyboards = 0; keyboards <= 2; ++keyboards) {
    if (keyboards > 0) bus().AddKeyboard();
    ASSERT_TRUE(WaitUntil([&] { return Count(kConfig) == keyboards; }, kPresenceLimit));
    for (const Case& c : cases) {
      EXPECT_EQ(Count(c.record), c.per_keyboard * keyboards + c.foreign)
          << c.what << " with " << keyboards << " keyboards";
    }
  }
}

TEST_F(HidBridgeTest, CountingIsALookUpThatFollowsPlugging) {
  bus().AddKeyboard();
  ASSERT_EQ(bridge().Init(0), 1);
  const int enumerations = bus().enumerations();
  for (int i = 0; i < 100; ++i) ASSERT_EQ(Count(kConfig), 1);
  EXPECT_EQ(bus().enumerations(), enumerations) << "a count enumerated the devices";

  const auto before = Clock::now();
  bus().Unplug(0);
  ASSERT_TRUE(WaitUntil([&] { return Count(kConfig) == 0; }, kPresenceLimit));
  bus().Plug(0);
  ASSERT_TRUE(WaitUntil([&] { return Count(kConfig) == 1; }, kPresenceLimit));
  EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(200))
      << "word of the change came late";
}

TEST(HidBridgeWithoutHotplugWord, ChangesAreFoundByPolling) {
  FakeHidBus& bus = FakeHidBus::Instance();
  bus.Reset();
  bus.SetHotplugLive(false);
  bus.AddKeyboard();
  BridgeTimings timings;
  timings.presence_poll = std::chrono::milliseconds(20);
  Bridge bridge(timings);
  ASSERT_EQ(bridge.Init(0), 1);
  const auto count = [&] {
    return bridge.RequestGetDeviceCount(kConfig.data(), 0, 0, CountCheck(kConfig), 0);
  };
  EXPECT_EQ(count(), 1);
  bus.Unplug(0);
  EXPECT_TRUE(WaitUntil([&] { return count() == 0; }, kPresenceLimit));
}

TEST_F(HidBridgeTest, AnswerToAWrittenReportArrivesOnTheControlStream) {
  bus().AddKeyboard();
  Register(kConfig, KB_TAG_CTRL, FakeCollection::kConfig);
  const auto request = ConfigReport(3, 44);  // read the device information block

  ASSERT_EQ(Write(request), 1);

  ASSERT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_REPORT, KB_TAG_CTRL).empty(); }));
  const Event answer = Log().Of(KB_EVENT_REPORT, KB_TAG_CTRL).front();
  ASSERT_EQ(answer.count, 64u);
  EXPECT_EQ(answer.data[3], 3);
  EXPECT_EQ(answer.data[7], 0);
  EXPECT_EQ(Bytes(answer.data.begin() + 8, answer.data.begin() + 52),
            FirmwareBytes(0, KBSIM_AREA_DEVICE_INFO, 44));
  const auto written = bus().Written(0, FakeCollection::kConfig);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0], Bytes(request.begin(), request.end()));
}

TEST_F(HidBridgeTest, ConsumerReportsCarryTheirCode) {
  bus().AddKeyboard();
  Register(kConsumer, KB_TAG_CONS, FakeCollection::kConsumer);
  struct Case {
    Bytes report;
    std::uint16_t code;
  };
  const std::vector<Case> cases = {
      {{kConsumerReportId, 0xFF, 0x02}, 0x02FF},  // report id, then the usage
      {{kConsumerReportId, 0x01, 0x04}, 0x0401},
      {{kConsumerReportId, 0x11, 0x18}, 0x1811},
      {{kConsumerReportId, 0x00, 0x00}, 0},  // release
      {{kConsumerReportId, 0x02}, 0},        // too short to hold a usage
  };
  for (const Case& c : cases) bus().SendInput(0, FakeCollection::kConsumer, c.report);

  ASSERT_TRUE(
      WaitUntil([&] { return Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).size() == cases.size(); }));
  const auto events = Log().Of(KB_EVENT_REPORT, KB_TAG_CONS);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(events[i].data, cases[i].report) << i;
    EXPECT_EQ(events[i].count, cases[i].report.size()) << i;
    EXPECT_EQ(events[i].code, cases[i].code) << i;
  }
}

// Every collection of the keyboard's second interface reaches every handle on its node: key
// presses, consumer reports and configuration answers. Typing during an exchange must not
// give the exchange a key report for its answer, nor the consumer stream an answer.
TEST_F(HidBridgeTest, EachStreamTakesOnlyItsOwnCollectionsReports) {
  bus().AddKeyboard();
  Register(kConfig, KB_TAG_CTRL, FakeCollection::kConfig);
  Register(kConsumer, KB_TAG_CONS, FakeCollection::kConsumer);
  Bytes key_press(17, 0);
  key_press[0] = kKeysReportId;
  key_press[3] = 0x10;
  const auto request = ConfigReport(3, 44);
  for (int i = 0; i < 3; ++i) bus().SendInput(0, FakeCollection::kKeys, key_press);
  bus().SendInput(0, FakeCollection::kBootKeyboard, {0, 0, 0x04, 0, 0, 0, 0, 0});
  bus().SendInput(0, FakeCollection::kConsumer, {kConsumerReportId, 0xFF, 0x02});
  ASSERT_EQ(Write(request), 1);
  for (int i = 0; i < 3; ++i) bus().SendInput(0, FakeCollection::kKeys, key_press);

  ASSERT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_REPORT, KB_TAG_CTRL).empty(); }));
  ASSERT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).empty(); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // nothing else may follow
  const auto answers = Log().Of(KB_EVENT_REPORT, KB_TAG_CTRL);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].data[0], kConfigReportId);
  EXPECT_EQ(answers[0].data[3], 3);
  const auto codes = Log().Of(KB_EVENT_REPORT, KB_TAG_CONS);
  ASSERT_EQ(codes.size(), 1u);
  EXPECT_EQ(codes[0].code, 0x02FF);
}

TEST_F(HidBridgeTest, WithoutADescriptorEveryReportIsTakenAndTheIdGuessed) {
  bus().SetDescriptorsReadable(false);
  bus().AddKeyboard();
  Register(kConsumer, KB_TAG_CONS, FakeCollection::kConsumer);
  bus().SendInput(0, FakeCollection::kConsumer, {kConsumerReportId, 0x11, 0x18});
  ASSERT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).empty(); }));
  EXPECT_EQ(Log().Of(KB_EVENT_REPORT, KB_TAG_CONS)[0].code, 0x1811);
  EXPECT_NE(bridge().last_error().find("no report descriptor"), std::string::npos);
}

// hidraw keeps nothing for a handle that is not open yet: the reader must be in place before
// the registration returns, and before an arrival is told, or the answer to the report the
// program writes next is lost and the exchange waits a whole try.
TEST_F(HidBridgeTest, ReaderIsOpenWhenTheRegistrationReturns) {
  bus().AddKeyboard();
  bus().SetOpenDelay(std::chrono::milliseconds(50));
  std::uint32_t unit = 0;
  ASSERT_EQ(bridge().RequestAsyncRead(kConfig.data(), RecordEvent, KB_TAG_CTRL,
                                      ReadCheck(kConfig, RecordEvent, KB_TAG_CTRL), &unit),
            1);
  ASSERT_EQ(Write(ConfigReport(3, 44)), 1);
  EXPECT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_REPORT, KB_TAG_CTRL).empty(); }));
}

Bridge* g_arrival_bridge = nullptr;

// Writes a report as soon as a keyboard arrives, as the program's presence handling does.
int ExchangeOnArrival(const KbBridgeEvent* event) {
  RecordEvent(event);
  if (event->kind == KB_EVENT_PRESENCE && event->block->count > 0) {
    const auto report = ConfigReport(3, 44);
    g_arrival_bridge->RequestWriteOne(kConfig.data(), 0, 0, report.data(), KB_REPORT_SIZE,
                                      WriteCheck(kConfig, report), 0);
  }
  return 1;
}

TEST_F(HidBridgeTest, FirstExchangeOfAnArrivalGetsItsAnswer) {
  bus().AddKeyboard();
  bus().Unplug(0);
  ASSERT_EQ(bridge().Init(0), 1);
  g_arrival_bridge = &bridge();
  std::uint32_t unit = 0;
  ASSERT_EQ(bridge().RequestAsyncRead(kConfig.data(), ExchangeOnArrival, KB_TAG_CTRL,
                                      ReadCheck(kConfig, ExchangeOnArrival, KB_TAG_CTRL), &unit),
            1);
  bus().SetOpenDelay(std::chrono::milliseconds(50));
  bus().Plug(0);
  ASSERT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_PRESENCE, KB_TAG_CTRL).empty(); }));
  EXPECT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_REPORT, KB_TAG_CTRL).empty(); }));
}

TEST_F(HidBridgeTest, StatusWriteReachesTheIndicatorOutput) {
  std::uint32_t unit = 0;
  EXPECT_EQ(StatusWrite({5, 0x02}, &unit), 0) << "no keyboard";
  EXPECT_EQ(unit, 0u);

  bus().AddKeyboard();
  ASSERT_EQ(StatusWrite({5, 0x03}, &unit), 1);
  std::uint32_t second = 0;
  ASSERT_EQ(StatusWrite({5, 0x02}, &second), 1);

  EXPECT_GT(unit, 0u);
  EXPECT_NE(second, unit);
  EXPECT_EQ(bus().Written(0, FakeCollection::kIndicator), (std::vector<Bytes>{{5, 3}, {5, 2}}));
  EXPECT_EQ(FirmwareBytes(0, KBSIM_AREA_INDICATOR, 2), (Bytes{5, 2}));
  EXPECT_TRUE(bus().Written(0, FakeCollection::kConfig).empty());
}

TEST_F(HidBridgeTest, PlugChangesArriveInOrderAndStreamsRecover) {
  bus().AddKeyboard();
  Register(kConfig, KB_TAG_CTRL, FakeCollection::kConfig);
  Register(kConsumer, KB_TAG_CONS, FakeCollection::kConsumer);
  ASSERT_EQ(Write(ConfigReport(3, 44)), 1);  // the writer now holds a handle of the old plug-in

  const std::vector<std::pair<std::function<void()>, std::uint32_t>> steps = {
      {[] { bus().Unplug(0); }, 0},
      {[] { bus().Plug(0); }, 1},
      {[] { bus().AddKeyboard(); }, 2},
      {[] { bus().Unplug(1); }, 1},
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const auto before = Clock::now();
    steps[i].first();
    ASSERT_TRUE(WaitUntil([&] { return Log().Of(KB_EVENT_PRESENCE, KB_TAG_CTRL).size() > i; },
                          kPresenceLimit))
        << "step " << i;
    EXPECT_LE(Log().Of(KB_EVENT_PRESENCE, KB_TAG_CTRL)[i].at - before, kPresenceLimit);
  }
  std::vector<std::uint32_t> counts;
  for (const Event& e : Log().Of(KB_EVENT_PRESENCE, KB_TAG_CTRL)) counts.push_back(e.count);
  EXPECT_EQ(counts, (std::vector<std::uint32_t>{0, 1, 2, 1}));

  // Both streams and the writer work again on keyboard 0's new plug-in.
  ASSERT_TRUE(WaitUntil([] { return bus().OpenHandles(0, FakeCollection::kConsumer) > 0; }));
  ASSERT_TRUE(WaitUntil([] { return bus().OpenHandles(0, FakeCollection::kConfig) > 0; }));
  const std::size_t answers = Log().Of(KB_EVENT_REPORT, KB_TAG_CTRL).size();
  EXPECT_EQ(Write(ConfigReport(3, 44)), 1);
  EXPECT_TRUE(WaitUntil([&] { return Log().Of(KB_EVENT_REPORT, KB_TAG_CTRL).size() > answers; }));
  bus().SendInput(0, FakeCollection::kConsumer, {0x03, 0xFF, 0x02});
  ASSERT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).empty(); }));
  EXPECT_EQ(Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).back().code, 0x02FF);
}

TEST_F(HidBridgeTest, StreamReopensWhenReadsMissTheUnplug) {
  bus().SetReadsReportUnplug(false);
  bus().AddKeyboard();
  Register(kConsumer, KB_TAG_CONS, FakeCollection::kConsumer);

  bus().Unplug(0);
  ASSERT_TRUE(WaitUntil([] { return Log().Of(KB_EVENT_PRESENCE, KB_TAG_CONS).size() == 1; }));
  bus().Plug(0);
  ASSERT_TRUE(WaitUntil([] { return Log().Of(KB_EVENT_PRESENCE, KB_TAG_CONS).size() == 2; }));
  bus().SendInput(0, FakeCollection::kConsumer, {kConsumerReportId, 0x10, 0x18});

  ASSERT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).empty(); }));
  EXPECT_EQ(Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).front().code, 0x1810);
}

TEST_F(HidBridgeTest, DeletedRegistrationGetsNoMoreEvents) {
  bus().AddKeyboard();
  const std::uint32_t unit = Register(kConsumer, KB_TAG_CONS, FakeCollection::kConsumer);
  bus().SendInput(0, FakeCollection::kConsumer, {0x03, 0x01, 0x04});
  ASSERT_TRUE(WaitUntil([] { return Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).size() == 1; }));

  EXPECT_EQ(bridge().DeleteRequestFromUnitId(unit), 1);
  EXPECT_EQ(bus().OpenHandles(), 0) << "the reader is stopped when the call returns";
  bus().SendInput(0, FakeCollection::kConsumer, {0x03, 0x01, 0x04});
  bus().Unplug(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  EXPECT_EQ(Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).size(), 1u);
  EXPECT_TRUE(Log().Of(KB_EVENT_PRESENCE, KB_TAG_CONS).empty());

  EXPECT_EQ(bridge().DeleteRequestFromUnitId(unit), 0) << "already gone";
  EXPECT_EQ(bridge().DeleteRequestFromUnitId(0), 0);
}

// A callback may end its own registration; the thread cannot join itself, so it must neither
// hang nor deliver again.
Bridge* g_self_deleting_bridge = nullptr;
std::uint32_t g_self_deleting_unit = 0;

int DeleteOwnRegistration(const KbBridgeEvent* event) {
  RecordEvent(event);
  g_self_deleting_bridge->DeleteRequestFromUnitId(g_self_deleting_unit);
  return 1;
}

TEST_F(HidBridgeTest, CallbackMayDeleteItsOwnRegistration) {
  bus().AddKeyboard();
  g_self_deleting_bridge = &bridge();
  ASSERT_EQ(bridge().RequestAsyncRead(kConsumer.data(), DeleteOwnRegistration, KB_TAG_CONS,
                                      ReadCheck(kConsumer, DeleteOwnRegistration, KB_TAG_CONS),
                                      &g_self_deleting_unit),
            1);
  ASSERT_TRUE(WaitUntil([] { return bus().OpenHandles(0, FakeCollection::kConsumer) > 0; }));
  bus().SendInput(0, FakeCollection::kConsumer, {0x03, 0xFF, 0x02});
  bus().SendInput(0, FakeCollection::kConsumer, {0x03, 0xFF, 0x02});

  EXPECT_TRUE(WaitUntil([] { return bus().OpenHandles(0, FakeCollection::kConsumer) == 0; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).size(), 1u);
}

// Ends its registration at the first presence change; holds the first report until released,
// so that the changes of an unplug and a replug queue up behind it.
std::atomic<bool> g_release_report{false};

int DeleteOwnRegistrationOnPresence(const KbBridgeEvent* event) {
  RecordEvent(event);
  if (event->kind == KB_EVENT_REPORT) {
    while (!g_release_report) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  } else {
    g_self_deleting_bridge->DeleteRequestFromUnitId(g_self_deleting_unit);
  }
  return 1;
}

TEST_F(HidBridgeTest, NoEventFollowsTheOneWhoseCallbackEndedTheRegistration) {
  bus().AddKeyboard();
  g_self_deleting_bridge = &bridge();
  g_release_report = false;
  const auto callback = DeleteOwnRegistrationOnPresence;
  ASSERT_EQ(
      bridge().RequestAsyncRead(kConsumer.data(), callback, KB_TAG_CONS,
                                ReadCheck(kConsumer, callback, KB_TAG_CONS), &g_self_deleting_unit),
      1);
  ASSERT_TRUE(WaitUntil([] { return bus().OpenHandles(0, FakeCollection::kConsumer) > 0; }));
  bus().SendInput(0, FakeCollection::kConsumer, {0x03, 0xFF, 0x02});
  ASSERT_TRUE(WaitUntil([] { return Log().Of(KB_EVENT_REPORT, KB_TAG_CONS).size() == 1; }));

  // Two presence changes wait while the callback is busy with the report.
  bus().Unplug(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  bus().Plug(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  g_release_report = true;

  ASSERT_TRUE(WaitUntil([] { return !Log().Of(KB_EVENT_PRESENCE, KB_TAG_CONS).empty(); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Log().Of(KB_EVENT_PRESENCE, KB_TAG_CONS).size(), 1u);
  EXPECT_EQ(bus().OpenHandles(0, FakeCollection::kConsumer), 0);
}

TEST_F(HidBridgeTest, FailedWritesReturnZeroAndRecoverOnce) {
  const auto report = ConfigReport(1, 0);
  EXPECT_EQ(Write(report), 0) << "no keyboard";

  bus().AddKeyboard();
  bus().FailWrites(1);
  EXPECT_EQ(Write(report), 0) << "a freshly opened collection that fails is not retried";
  EXPECT_EQ(Write(report), 1);

  bus().FailWrites(1);
  EXPECT_EQ(Write(report), 1) << "a failing cached handle is reopened and the write retried";
  bus().FailWrites(2);
  EXPECT_EQ(Write(report), 0);
  EXPECT_NE(bridge().last_error().find("fake write failure"), std::string::npos)
      << bridge().last_error();
  EXPECT_EQ(bus().Written(0, FakeCollection::kConfig).size(), 2u);
}

}  // namespace
}  // namespace talon::bridge
