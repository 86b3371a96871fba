#include "device/device_link.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "device/check_value.h"
#include "device/config_report.h"
#include "device/result_codes.h"

namespace talon {

namespace {

constexpr int kTries = 3;
// How often a thread waiting for a handler to end lets its port serve what that handler waits
// for.
constexpr auto kServePeriod = std::chrono::milliseconds(2);

// The library's callback carries no context, so events find their link through g_target. Each
// event being handed over is listed while its handler runs, with no lock held: a handler may
// wait for the window's thread, and that thread may be the one detaching the port or ending the
// link, which then waits for the handler to end (serving its port meanwhile) instead of
// blocking on a lock the handler holds.
struct InFlight {
  std::thread::id thread;
  const DeviceLink* link;
  DeviceEventPort* port;
};

std::mutex g_mutex;
std::condition_variable g_dispatch_ended;
DeviceLink* g_target = nullptr;
std::vector<InFlight> g_in_flight;

// Waits until no handler of another thread matches `busy`. Meanwhile `port` (alive: it belongs
// to the caller) serves the calls those handlers may wait for on this thread. The caller holds
// `lock` on g_mutex.
template <typename Predicate>
void WaitForHandlers(std::unique_lock<std::mutex>& lock, Predicate busy, DeviceEventPort* port) {
  const auto self = std::this_thread::get_id();
  const auto others_busy = [&] {
    return std::any_of(g_in_flight.begin(), g_in_flight.end(),
                       [&](const InFlight& f) { return f.thread != self && busy(f); });
  };
  while (others_busy()) {
    if (g_dispatch_ended.wait_for(lock, kServePeriod) == std::cv_status::no_timeout) continue;
    if (port == nullptr) continue;
    lock.unlock();
    port->ServeWaitingCalls();
    lock.lock();
  }
}

std::uint16_t ConsumerCodeOf(const KbStreamBlock& block) {
  if (block.parsed == nullptr || block.parsed->consumer_code == nullptr) return 0;
  return *block.parsed->consumer_code;
}

}  // namespace

DeviceLink::DeviceLink(ExchangeTimings timings) : timings_(timings) {}

DeviceLink::~DeviceLink() {
  {
    std::unique_lock lock(g_mutex);
    if (g_target == this) g_target = nullptr;
    // A port still attached is alive (it detaches itself before it goes away).
    DeviceEventPort* port = std::exchange(port_, nullptr);
    WaitForHandlers(
        lock, [this](const InFlight& f) { return f.link == this; }, port);
  }
  if (!started_) return;
  const auto& e = library_.entry();
  for (std::uint32_t unit : {consumer_unit_, control_unit_, indicator_unit_}) {
    if (unit != 0) e.delete_request(unit);
  }
}

StartResult DeviceLink::Start(DeviceEventPort* port, const std::string& library) {
  switch (library_.Bind(library)) {
    case BindResult::kNotLoadable:
      error_ = library_.error();
      return StartResult::kLibraryNotLoadable;
    case BindResult::kEntryMissing:
      error_ = library_.error();
      return StartResult::kEntryMissing;
    case BindResult::kBound:
      break;
  }
  const auto& e = library_.entry();
  if (e.init(0) <= 0) {
    error_ = "the keyboard service library did not initialise";
    return StartResult::kInitFailed;
  }
  {
    std::lock_guard lock(g_mutex);
    port_ = port;
    g_target = this;
  }
  started_ = true;
  indicator_data_ = {5, 0x02};
  indicator_unit_ = 0;
  Register(kConsumerCollection, KB_TAG_CONS, consumer_unit_);
  slot_.Disarm();
  Register(kConfigChannel, KB_TAG_CTRL, control_unit_);
  start_count_ = CountDevices();
  if (port != nullptr) port->OnPresenceCount(start_count_);
  return StartResult::kStarted;
}

void DeviceLink::DetachEventPort(DeviceEventPort* port) {
  if (port == nullptr) return;
  std::unique_lock lock(g_mutex);
  if (port_ == port) port_ = nullptr;
  WaitForHandlers(
      lock, [port](const InFlight& f) { return f.port == port; }, port);
}

void DeviceLink::Register(const DeviceMatchRecord& record, std::uint32_t tag,
                          std::uint32_t& unit_id) {
  const auto& e = library_.entry();
  e.delete_request(unit_id);
  const auto bytes = record.Encode();
  e.async_read(bytes.data(), &DeviceLink::OnBridgeEvent, tag,
               RegistrationCheckValue(record, &DeviceLink::OnBridgeEvent, tag), &unit_id);
}

int DeviceLink::CountDevices() const {
  if (!started_) return 0;
  const auto bytes = kConfigChannel.Encode();
  const int count =
      library_.entry().get_device_count(bytes.data(), 0, 0, CountCheckValue(kConfigChannel), 0);
  return std::max(count, 0);
}

int DeviceLink::ExchangeReport(std::span<const std::uint8_t> request,
                               std::span<std::uint8_t> answer, int& received) {
  received = 0;
  if (CountDevices() == 0) return kNoKeyboard;

  std::array<std::uint8_t, kReportSize> frame{};
  std::copy_n(request.begin(), std::min(request.size(), frame.size()), frame.begin());
  const std::uint32_t check = WriteCheckValue(kConfigChannel, frame);
  const auto record = kConfigChannel.Encode();
  const auto answer_byte = [&answer](std::size_t i) -> std::uint8_t {
    return i < answer.size() ? answer[i] : 0;
  };

  // One exchange at a time: a second thread waits for the first to end rather than pausing a
  // fixed second and cutting in on an exchange that is still going.
  std::lock_guard lock(exchange_mutex_);
  slot_.BeginExchange();
  int tries = 0;
  bool timed_out = false;
  // A try that timed out may still get its answer: before the next exchange starts, give it a
  // moment to come, so that it is dropped here rather than taken there.
  const auto wait_for_owed = [&] {
    if (timed_out) slot_.WaitForOwedAnswers(timings_.owed_answer_wait);
  };
  for (;;) {
    slot_.Arm(answer);
    if (library_.entry().write_one(record.data(), 0, 0, frame.data(), kReportSize, check, 0) <= 0) {
      slot_.WriteFailed();
      return kWriteRefused;
    }
    const bool signalled = slot_.WaitForAnswer(timings_.answer_wait);
    // Once the try ends no late answer writes into the buffer, so it can be read safely; an
    // answer that came after the wait timed out is not looked at.
    slot_.Disarm();
    timed_out = timed_out || !signalled;
    const bool matches =
        signalled && answer_byte(report_byte::kCommand) == frame[report_byte::kCommand];
    const std::uint8_t status = matches ? answer_byte(report_byte::kStatus) : 0;
    const bool error_status = status == kErrorStatus255 || status == kErrorStatus254;
    if (matches && !error_status) {
      received = slot_.received();
      wait_for_owed();
      return kDone;
    }
    ++tries;
    if (tries >= kTries) {
      wait_for_owed();
      // The third error status is passed up for the caller to map; anything else is no answer.
      if (matches) {
        received = slot_.received();
        return kDone;
      }
      return kNoAnswer;
    }
    std::this_thread::sleep_for(timings_.retry_pause);
  }
}

void DeviceLink::WriteIndicator(std::uint8_t state) {
  if (!started_) return;
  std::lock_guard lock(indicator_mutex_);
  const auto& e = library_.entry();
  indicator_data_ = {5, state};
  e.delete_request(indicator_unit_);
  const auto record = kIndicatorOutput.Encode();
  e.status_write(record.data(), &DeviceLink::OnBridgeEvent, KB_TAG_LED, indicator_data_.data(),
                 static_cast<std::uint32_t>(indicator_data_.size()),
                 StatusWriteCheckValue(kIndicatorOutput, &DeviceLink::OnBridgeEvent, KB_TAG_LED,
                                       indicator_data_),
                 &indicator_unit_);
}

int DeviceLink::OnBridgeEvent(const KbBridgeEvent* event) {
  if (event == nullptr || event->block == nullptr) return 1;
  DeviceLink* link = nullptr;
  DeviceEventPort* port = nullptr;
  {
    std::lock_guard lock(g_mutex);
    if (g_target == nullptr) return 1;
    link = g_target;
    port = link->port_;
    g_in_flight.push_back({std::this_thread::get_id(), link, port});
  }
  link->Dispatch(*event, port);
  {
    std::lock_guard lock(g_mutex);
    const auto self = std::find_if(g_in_flight.begin(), g_in_flight.end(), [&](const InFlight& f) {
      return f.thread == std::this_thread::get_id() && f.link == link && f.port == port;
    });
    if (self != g_in_flight.end()) g_in_flight.erase(self);
  }
  g_dispatch_ended.notify_all();
  return 1;
}

void DeviceLink::Dispatch(const KbBridgeEvent& event, DeviceEventPort* port) {
  const KbStreamBlock& block = *event.block;
  if (event.kind == KB_EVENT_REPORT && block.tag == KB_TAG_CTRL) {
    if (block.data != nullptr) slot_.Complete({block.data, block.count});
  } else if (event.kind == KB_EVENT_REPORT && block.tag == KB_TAG_CONS) {
    if (port != nullptr) port->OnConsumerCode(ConsumerCodeOf(block));
  } else if (event.kind == KB_EVENT_PRESENCE && block.tag == KB_TAG_CTRL) {
    if (port != nullptr) port->OnPresenceCount(static_cast<int>(block.count));
  }
}

}  // namespace talon
