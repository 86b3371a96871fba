#include "stream_reader.h"

#include <array>

#include "consumer_report.h"
#include "report_descriptor.h"
#include "system_seam.h"

namespace talon::bridge {

namespace {

// Larger than any report of the keyboard (64 bytes plus a report id), so nothing is cut.
constexpr std::size_t kReadBufferSize = 256;

bool IsConsumerCollection(const MatchRecord& record) {
  return (record.flags & kMatchUsagePage) && record.usage_page == KB_CONSUMER_USAGE_PAGE;
}

}  // namespace

StreamReader::StreamReader(const MatchRecord& record, KbBridgeCallback callback, std::uint32_t tag,
                           std::size_t present, const DeviceInventory& inventory,
                           const BridgeTimings& timings, LastError& errors)
    : record_(record),
      callback_(callback),
      tag_(tag),
      consumer_(IsConsumerCollection(record)),
      inventory_(inventory),
      timings_(timings),
      errors_(errors),
      known_count_(present),
      first_(present > 0 ? Open() : OpenCollection{}),
      thread_([this] { Run(); }) {}

StreamReader::~StreamReader() {
  RequestStop();
  Join();
  // Only when the process ends from inside a callback: the thread cannot join itself.
  if (thread_.joinable()) thread_.detach();
}

void StreamReader::NotePresence(std::size_t count) {
  {
    std::lock_guard lock(mutex_);
    if (count == known_count_) return;
    known_count_ = count;
    presence_.push_back(static_cast<std::uint32_t>(count));
    reopen_ = true;
  }
  wake_.notify_all();
}

void StreamReader::RequestStop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
}

void StreamReader::Join() {
  if (thread_.joinable() && !OnOwnThread()) thread_.join();
}

StreamReader::OpenCollection StreamReader::Open() {
  const std::optional<DeviceEntry> entry = inventory_.FirstMatching(record_);
  if (!entry) return {};
  std::string error;
  OpenCollection open{OpenPath(entry->path, error), InputFilter()};
  if (!open.device) {
    errors_.Set(std::move(error));
    return {};
  }
  const auto bytes = ReadReportDescriptor(entry->path);
  const auto descriptor = bytes ? ReportDescriptor::Parse(*bytes) : std::nullopt;
  if (descriptor) {
    open.filter = InputFilter(*descriptor, record_, entry->ids.vendor_id, entry->ids.product_id);
  } else {
    // Without the descriptor nothing tells the node's collections apart: take every report.
    errors_.Set("no report descriptor for " + entry->path);
  }
  return open;
}

bool StreamReader::Pause(std::chrono::milliseconds delay) {
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, delay, [this] { return stopping_ || reopen_ || !presence_.empty(); });
  return !stopping_;
}

bool StreamReader::TakeWork(std::deque<std::uint32_t>& presence, bool& reopen) {
  std::lock_guard lock(mutex_);
  presence.swap(presence_);
  reopen = reopen_;
  reopen_ = false;
  return !stopping_;
}

void StreamReader::Run() {
  OpenCollection open = std::move(first_);
  std::array<std::uint8_t, kReadBufferSize> buffer{};
  std::deque<std::uint32_t> presence;
  bool reopen = false;
  while (TakeWork(presence, reopen)) {
    if (reopen) open = {};
    // A keyboard that arrives is opened before its arrival is told: the exchanges that the
    // arrival starts at once must find their answers' reader in place.
    if (!open.device && (presence.empty() || presence.back() > 0)) open = Open();
    for (const std::uint32_t count : presence) Deliver(KB_EVENT_PRESENCE, count, {});
    presence.clear();
    if (!open.device) {
      Pause(timings_.reopen_delay);
      continue;
    }
    const int read = hid_read_timeout(open.device.get(), buffer.data(), buffer.size(),
                                      static_cast<int>(timings_.read_timeout.count()));
    if (read < 0) {
      // hidraw reports an unplugged device as a read error; reopen once it is back.
      errors_.Set(CopyHidError(open.device.get()));
      open = {};
      Pause(timings_.reopen_delay);
    } else if (read > 0) {
      DeliverReport(open, std::span(buffer.data(), static_cast<std::size_t>(read)));
    }
  }
}

void StreamReader::DeliverReport(const OpenCollection& open, std::span<const std::uint8_t> report) {
  // Every collection of the node reaches every handle on it: key presses, consumer reports and
  // configuration answers alike. Only the stream's own are handed over.
  if (!open.filter.Accepts(report)) return;
  const std::uint16_t code = consumer_ ? ParseConsumerCode(report, open.filter.numbered()) : 0;
  Deliver(KB_EVENT_REPORT, static_cast<std::uint32_t>(report.size()), report, code);
}

void StreamReader::Deliver(std::uint32_t kind, std::uint32_t count,
                           std::span<const std::uint8_t> data, std::uint16_t code) {
  {
    // A callback that ended its own registration gets nothing more, though changes queued
    // behind its event are still in hand.
    std::lock_guard lock(mutex_);
    if (stopping_) return;
  }
  // The records live only for the call: the callback copies what it keeps.
  KbParsedReport parsed{};
  parsed.consumer_code = &code;
  const KbStreamBlock block{tag_, count, data.empty() ? nullptr : data.data(), nullptr, &parsed};
  const KbBridgeEvent event{kind, 0, &block};
  callback_(&event);
}

}  // namespace talon::bridge
