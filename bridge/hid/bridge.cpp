#include "bridge.h"

#include <algorithm>
#include <span>

#include "request_check.h"

namespace talon::bridge {

namespace {

using RecordBytes = std::span<const std::uint8_t, kMatchRecordSize>;

// Every report of the keyboard fits one full-speed interrupt transfer.
constexpr std::uint32_t kMaxReportSize = KB_REPORT_SIZE;

bool ValidReportLength(std::uint32_t length) {
  return length > 0 && length <= kMaxReportSize;
}

}  // namespace

Bridge::Bridge(BridgeTimings timings) : timings_(timings) {}

Bridge::~Bridge() {
  std::unique_ptr<PresenceWatcher> watcher;
  std::map<std::uint32_t, std::shared_ptr<StreamReader>> streams;
  std::vector<std::shared_ptr<StreamReader>> retired;
  {
    std::lock_guard lock(watcher_mutex_);
    watcher = std::move(watcher_);
  }
  {
    std::lock_guard lock(mutex_);
    streams.swap(streams_);
    retired.swap(retired_);
  }
  // The watcher asks for the streams under mutex_, so it is stopped outside it.
  watcher.reset();
  for (auto& [id, stream] : streams) stream->RequestStop();
  for (auto& [id, stream] : streams) stream->Join();
  for (auto& stream : retired) stream->Join();
  streams.clear();
  retired.clear();
  writer_.CloseAll();
  if (initialised_) {
    std::lock_guard lock(HidapiGlobalLock());
    hid_exit();
  }
}

int Bridge::Init(int /*zero*/) {
  {
    std::lock_guard lock(HidapiGlobalLock());
    if (hid_init() != 0) {
      errors_.Set("hid_init: " + CopyHidError(nullptr));
      return 0;
    }
  }
  initialised_ = true;
  StartWatcher();
  return 1;
}

void Bridge::StartWatcher() {
  std::lock_guard lock(watcher_mutex_);
  if (!watcher_) {
    watcher_ =
        std::make_unique<PresenceWatcher>([this] { return Streams(); }, inventory_, timings_);
  }
}

int Bridge::RequestGetDeviceCount(const std::uint8_t* record, std::uint32_t zero1,
                                  std::uint32_t zero2, std::uint32_t check,
                                  std::uint32_t /*zero3*/) {
  if (record == nullptr) return 0;
  const RecordBytes bytes(record, kMatchRecordSize);
  if (check != RequestCheck().Bytes(bytes).Word(zero1).Word(zero2).value()) return 0;
  return static_cast<int>(inventory_.Count(MatchRecord::Parse(bytes)));
}

int Bridge::RequestWriteOne(const std::uint8_t* record, std::uint32_t zero1, std::uint32_t zero2,
                            const std::uint8_t* report, std::uint32_t length, std::uint32_t check,
                            std::uint32_t /*zero3*/) {
  if (record == nullptr || report == nullptr || !ValidReportLength(length)) return 0;
  const RecordBytes bytes(record, kMatchRecordSize);
  const std::span<const std::uint8_t> data(report, length);
  if (check != RequestCheck().Bytes(bytes).Word(zero1).Word(zero2).Bytes(data).value()) return 0;
  return writer_.Write(MatchRecord::Parse(bytes), data) ? 1 : 0;
}

int Bridge::RequestAsyncRead(const std::uint8_t* record, KbBridgeCallback callback,
                             std::uint32_t tag, std::uint32_t check, std::uint32_t* unit_id) {
  if (record == nullptr || callback == nullptr || unit_id == nullptr) return 0;
  const RecordBytes bytes(record, kMatchRecordSize);
  if (check != RequestCheck().Bytes(bytes).Address(callback).Word(tag).value()) return 0;
  JoinRetired();
  const MatchRecord match = MatchRecord::Parse(bytes);
  auto stream = std::make_shared<StreamReader>(match, callback, tag, inventory_.Count(match),
                                               inventory_, timings_, errors_);
  {
    std::lock_guard lock(mutex_);
    const std::uint32_t id = NextUnitIdLocked();
    streams_.emplace(id, stream);
    *unit_id = id;
  }
  StartWatcher();
  // A change the watcher saw while the stream was not yet listed is not lost.
  stream->NotePresence(inventory_.Count(match));
  return 1;
}

int Bridge::RequestStatusWrite(const std::uint8_t* record, KbBridgeCallback callback,
                               std::uint32_t tag, const std::uint8_t* data, std::uint32_t length,
                               std::uint32_t check, std::uint32_t* unit_id) {
  if (record == nullptr || data == nullptr || unit_id == nullptr || !ValidReportLength(length)) {
    return 0;
  }
  const RecordBytes bytes(record, kMatchRecordSize);
  const std::span<const std::uint8_t> status(data, length);
  if (check != RequestCheck().Bytes(bytes).Address(callback).Word(tag).Bytes(status).value()) {
    return 0;
  }
  if (!writer_.Write(MatchRecord::Parse(bytes), status)) return 0;
  std::lock_guard lock(mutex_);
  *unit_id = NextUnitIdLocked();
  return 1;
}

int Bridge::DeleteRequestFromUnitId(std::uint32_t unit_id) {
  std::shared_ptr<StreamReader> stream;
  {
    std::lock_guard lock(mutex_);
    const auto found = streams_.find(unit_id);
    if (found == streams_.end()) return 0;
    stream = std::move(found->second);
    streams_.erase(found);
  }
  stream->RequestStop();
  if (stream->OnOwnThread()) {
    // Called from this stream's own callback: the thread ends once the callback returns and is
    // joined later by another thread.
    std::lock_guard lock(mutex_);
    retired_.push_back(std::move(stream));
    return 1;
  }
  stream->Join();
  JoinRetired();
  return 1;
}

std::uint32_t Bridge::NextUnitIdLocked() {
  std::uint32_t id = 0;
  do {
    id = next_unit_id_++;
  } while (id == 0 || streams_.contains(id));
  return id;
}

std::vector<std::shared_ptr<StreamReader>> Bridge::Streams() {
  std::lock_guard lock(mutex_);
  std::vector<std::shared_ptr<StreamReader>> streams;
  for (const auto& [id, stream] : streams_) streams.push_back(stream);
  return streams;
}

void Bridge::JoinRetired() {
  std::vector<std::shared_ptr<StreamReader>> joinable;
  {
    std::lock_guard lock(mutex_);
    const auto own = std::stable_partition(retired_.begin(), retired_.end(),
                                           [](const auto& s) { return s->OnOwnThread(); });
    std::move(own, retired_.end(), std::back_inserter(joinable));
    retired_.erase(own, retired_.end());
  }
  for (auto& stream : joinable) stream->Join();
}

}  // namespace talon::bridge
