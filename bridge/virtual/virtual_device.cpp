#include "virtual_device.h"

#include <algorithm>
#include <chrono>

#include "environment.h"

namespace talon::vkb {

namespace {

using namespace std::chrono_literals;

constexpr std::size_t kFrameLogLimit = 1 << 16;  // oldest frames go first beyond this
constexpr std::uint8_t kConsumerReportId = 2;
constexpr std::size_t kCommandAt = 3;
constexpr std::size_t kStatusAt = 7;

// An answer with an error status for a request the keyboard did not carry out.
Report StatusAnswer(const Report& request, std::uint8_t status) {
  Report answer{};
  std::copy_n(request.begin(), kStatusAt, answer.begin());
  answer[kStatusAt] = status;
  return answer;
}

}  // namespace

VirtualDevice::~VirtualDevice() {
  Stop();
}

void VirtualDevice::EnsureStarted() {
  if (!started_.load()) Start();
}

void VirtualDevice::Start() {
  std::lock_guard lifecycle(lifecycle_mutex_);
  if (started_.load()) return;
  const Environment env = ReadEnvironment();
  {
    std::lock_guard lock(firmware_mutex_);
    firmware_ = Firmware(env.options);
    state_file_ = env.state_file;
    if (!state_file_.empty()) firmware_.Load(state_file_);  // a bad file leaves the factory state
  }
  std::uint64_t generation = 0;
  {
    std::lock_guard lock(queue_mutex_);
    jobs_.clear();
    generation = ++generation_;
    plugged_ = !env.absent;
  }
  latency_us_ = env.latency_us;
  faults_.Clear();
  ClearLog();
  thread_ = std::thread([this, generation] { Run(generation); });
  started_ = true;
}

void VirtualDevice::Stop() {
  std::lock_guard lifecycle(lifecycle_mutex_);
  if (!started_.load()) return;
  {
    std::lock_guard lock(queue_mutex_);
    ++generation_;
  }
  queue_changed_.notify_all();
  // The device thread calls no callback, so it ends at once; the streams' delivery threads are
  // ended with their registrations (one stuck in a callback is left behind).
  thread_.join();
  registry_.Clear();
  started_ = false;
}

void VirtualDevice::Run(std::uint64_t generation) {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(queue_mutex_);
      queue_changed_.wait(lock, [&] { return generation_ != generation || !jobs_.empty(); });
      if (generation_ != generation) return;
      job = jobs_.front();
      jobs_.pop_front();
    }
    switch (job.kind) {
      case Job::Kind::kFrame:
        AnswerFrame(generation, job);
        break;
      case Job::Kind::kPresence:
        // Every stream of the keyboard hears of it, as with the hidapi build.
        registry_.Deliver(Collection::kConfig, StreamEvent::Presence(job.count));
        registry_.Deliver(Collection::kConsumer, StreamEvent::Presence(job.count));
        break;
      case Job::Kind::kConsumer:
        RaiseConsumerNow(job.code);
        break;
    }
  }
}

bool VirtualDevice::SleepFor(std::uint64_t generation, std::uint64_t resets,
                             std::chrono::microseconds time) {
  std::unique_lock lock(queue_mutex_);
  const auto interrupted = [&] { return generation_ != generation || resets_ != resets; };
  if (time.count() == 0) return !interrupted();
  const auto start = AnswerClock::Clock::now();
  const bool slept = !queue_changed_.wait_for(lock, time, interrupted);
  answers_.AddWaited(AnswerClock::Clock::now() - start);
  return slept;
}

void VirtualDevice::AnswerFrame(std::uint64_t generation, const Job& job) {
  const Report& frame = job.frame;
  std::uint64_t resets = 0;
  {
    std::lock_guard lock(queue_mutex_);
    resets = resets_;
  }
  if (!SleepFor(generation, resets, std::chrono::microseconds(latency_us_.load()))) return;
  if (!plugged_) return;  // pulled out before it could answer
  const FaultEffect fault = faults_.Next();
  if (fault.unplug) {
    SetPlugged(false);
    return;
  }
  Report answer;
  if (fault.status) {
    answer = StatusAnswer(frame, *fault.status);
  } else {
    std::lock_guard lock(firmware_mutex_);
    answer = firmware_.Handle(frame);
    if (firmware_.TakeCommitted()) SaveMemoryLocked();
  }
  if (fault.wrong_command) answer[kCommandAt] ^= 0x80;
  if (fault.drop) return;
  // A reset keyboard forgets the requests it has not answered yet.
  if (!SleepFor(generation, resets, std::chrono::milliseconds(fault.delay_ms))) return;
  if (!plugged_) return;
  const std::size_t length =
      std::min<std::size_t>(fault.short_length.value_or(kReportSize), kReportSize);
  StreamEvent event = StreamEvent::Report(std::span(answer).first(length));
  event.answer_clock = &answers_;
  event.accepted = job.accepted;
  registry_.Deliver(Collection::kConfig, event);
}

void VirtualDevice::RaiseConsumerNow(std::uint16_t code) {
  const std::array<std::uint8_t, 3> report = {kConsumerReportId,
                                              static_cast<std::uint8_t>(code & 0xFF),
                                              static_cast<std::uint8_t>(code >> 8)};
  StreamEvent event = StreamEvent::Report(report);
  event.consumer_code = code;
  registry_.Deliver(Collection::kConsumer, event);
}

void VirtualDevice::SaveMemoryLocked() {
  if (!state_file_.empty()) firmware_.Save(state_file_);
}

int VirtualDevice::DeviceCount(Collection collection) {
  EnsureStarted();
  return collection != Collection::kNone && plugged_ ? 1 : 0;
}

bool VirtualDevice::WriteReport(std::span<const std::uint8_t, kReportSize> report) {
  EnsureStarted();
  Job job{Job::Kind::kFrame};
  std::copy(report.begin(), report.end(), job.frame.begin());
  {
    std::lock_guard lock(queue_mutex_);
    if (!plugged_) return false;
    job.accepted = AnswerClock::Clock::now();
    jobs_.push_back(job);
    // Logged in queue order: the keyboard has the report once the write returns, answered or
    // not, and a callback's own write cannot overtake it.
    std::lock_guard log(log_mutex_);
    if (frames_.size() == kFrameLogLimit) frames_.pop_front();
    frames_.push_back(job.frame);
  }
  queue_changed_.notify_all();
  return true;
}

std::uint32_t VirtualDevice::Register(Collection collection, KbBridgeCallback callback,
                                      std::uint32_t tag) {
  EnsureStarted();
  return registry_.AddStream(collection, callback, tag);
}

std::uint32_t VirtualDevice::WriteStatus(Collection collection,
                                         std::span<const std::uint8_t> data) {
  EnsureStarted();
  if (collection != Collection::kIndicator || !plugged_) return 0;
  {
    std::lock_guard lock(firmware_mutex_);
    firmware_.SetIndicator(data);
  }
  return registry_.AddStatusRequest();
}

bool VirtualDevice::Unregister(std::uint32_t unit_id) {
  EnsureStarted();
  return registry_.Remove(unit_id);
}

void VirtualDevice::Reset() {
  EnsureStarted();
  {
    std::lock_guard lock(queue_mutex_);
    std::erase_if(jobs_, [](const Job& job) { return job.kind == Job::Kind::kFrame; });
    ++resets_;
  }
  queue_changed_.notify_all();
  faults_.Clear();
  latency_us_ = 0;
  {
    std::lock_guard lock(firmware_mutex_);
    firmware_.ResetToFactory();
    SaveMemoryLocked();
  }
  ClearLog();
  SetPlugged(true);
}

void VirtualDevice::SetPlugged(bool plugged) {
  EnsureStarted();
  {
    std::lock_guard lock(queue_mutex_);
    if (plugged_ == plugged) return;
    plugged_ = plugged;
    jobs_.push_back({Job::Kind::kPresence, {}, plugged ? 1u : 0u});
  }
  queue_changed_.notify_all();
}

// A key pressed on an unplugged keyboard reaches nobody; one pressed just before it is pulled
// out arrives before the removal, in order.
void VirtualDevice::RaiseConsumer(std::uint16_t code) {
  EnsureStarted();
  {
    std::lock_guard lock(queue_mutex_);
    if (!plugged_) return;
    jobs_.push_back({Job::Kind::kConsumer, {}, 0, code});
  }
  queue_changed_.notify_all();
}

void VirtualDevice::InjectFault(std::uint32_t kind, std::uint32_t skip, std::uint32_t count,
                                std::uint32_t param) {
  EnsureStarted();
  faults_.Add(kind, skip, count, param);
}

void VirtualDevice::ClearFaults() {
  EnsureStarted();
  faults_.Clear();
}

void VirtualDevice::SetLatency(std::uint32_t microseconds) {
  EnsureStarted();
  latency_us_ = microseconds;
}

bool VirtualDevice::ReadMemory(std::uint32_t area, std::uint32_t offset,
                               std::span<std::uint8_t> out) {
  EnsureStarted();
  std::lock_guard lock(firmware_mutex_);
  return firmware_.Read(area, offset, out);
}

bool VirtualDevice::WriteMemory(std::uint32_t area, std::uint32_t offset,
                                std::span<const std::uint8_t> data) {
  EnsureStarted();
  std::lock_guard lock(firmware_mutex_);
  return firmware_.Write(area, offset, data);
}

std::uint32_t VirtualDevice::FrameCount() {
  std::lock_guard lock(log_mutex_);
  return static_cast<std::uint32_t>(frames_.size());
}

bool VirtualDevice::GetFrame(std::uint32_t index, std::span<std::uint8_t, kReportSize> out) {
  std::lock_guard lock(log_mutex_);
  if (index >= frames_.size()) return false;
  std::copy(frames_[index].begin(), frames_[index].end(), out.begin());
  return true;
}

void VirtualDevice::ClearLog() {
  std::lock_guard lock(log_mutex_);
  frames_.clear();
}

bool VirtualDevice::KeyActionAt(std::uint32_t position, KbSimKeyAction& out) {
  EnsureStarted();
  if (position >= kKeyBankSize / 3) return false;
  std::lock_guard lock(firmware_mutex_);
  const KeyAction action = firmware_.ActionAt(position);
  out = {action.kind, action.value};
  return true;
}

}  // namespace talon::vkb
