#include "device/device_link.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <shared_mutex>
#include <thread>

#include "device/check_value.h"
#include "device/config_report.h"
#include "device/result_codes.h"

namespace talon {

namespace {

constexpr int kTries = 3;

// The library's callback carries no context, so events find their link through this pointer.
// The lock keeps a link from going away while one of its events is being dispatched.
std::shared_mutex g_target_mutex;
DeviceLink* g_target = nullptr;

std::uint16_t ConsumerCodeOf(const KbStreamBlock& block) {
  if (block.parsed == nullptr || block.parsed->consumer_code == nullptr) return 0;
  return *block.parsed->consumer_code;
}

}  // namespace

DeviceLink::DeviceLink(ExchangeTimings timings) : timings_(timings) {}

DeviceLink::~DeviceLink() {
  {
    std::unique_lock lock(g_target_mutex);
    if (g_target == this) g_target = nullptr;
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
    std::unique_lock lock(g_target_mutex);
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
  if (port_ != nullptr) port_->OnPresenceCount(start_count_);
  return StartResult::kStarted;
}

void DeviceLink::DetachEventPort(DeviceEventPort* port) {
  std::unique_lock lock(g_target_mutex);
  if (port_ == port) port_ = nullptr;
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

  // The serialising lock replaces the original's 1001 ms pause for a slot found busy: a second
  // thread now waits for the first exchange to end instead of cutting in after the pause.
  std::lock_guard lock(exchange_mutex_);
  int tries = 0;
  for (;;) {
    slot_.Arm(answer);
    if (library_.entry().write_one(record.data(), 0, 0, frame.data(), kReportSize, check, 0) <= 0) {
      slot_.Disarm();
      return kWriteRefused;
    }
    const bool signalled = slot_.WaitForAnswer(timings_.answer_wait);
    const bool matches =
        signalled && answer_byte(report_byte::kCommand) == frame[report_byte::kCommand];
    const std::uint8_t status = answer_byte(report_byte::kStatus);
    const bool error_status = status == kErrorStatus255 || status == kErrorStatus254;
    if (matches && !error_status) {
      received = slot_.received();
      slot_.Disarm();
      return kDone;
    }
    ++tries;
    if (tries >= kTries) {
      // The third error status is passed up for the caller to map; anything else is no answer.
      if (matches) received = slot_.received();
      slot_.Disarm();
      return matches ? kDone : kNoAnswer;
    }
    slot_.Disarm();
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
  std::shared_lock lock(g_target_mutex);
  if (g_target != nullptr) g_target->Dispatch(*event);
  return 1;
}

void DeviceLink::Dispatch(const KbBridgeEvent& event) {
  const KbStreamBlock& block = *event.block;
  if (event.kind == KB_EVENT_REPORT && block.tag == KB_TAG_CTRL) {
    if (block.data != nullptr) slot_.Complete({block.data, block.count});
  } else if (event.kind == KB_EVENT_REPORT && block.tag == KB_TAG_CONS) {
    if (port_ != nullptr) port_->OnConsumerCode(ConsumerCodeOf(block));
  } else if (event.kind == KB_EVENT_PRESENCE && block.tag == KB_TAG_CTRL) {
    if (port_ != nullptr) port_->OnPresenceCount(static_cast<int>(block.count));
  }
}

}  // namespace talon
