#include "stream_delivery.h"

#include <algorithm>

namespace talon::vkb {

namespace {

// A callback stuck this long when the library is unloaded is left behind rather than hanging
// the process at exit.
constexpr auto kStuckLimit = std::chrono::seconds(2);

}  // namespace

StreamEvent StreamEvent::Presence(std::uint32_t devices) {
  StreamEvent event;
  event.kind = KB_EVENT_PRESENCE;
  event.count = devices;
  return event;
}

StreamEvent StreamEvent::Report(std::span<const std::uint8_t> bytes) {
  StreamEvent event;
  event.kind = KB_EVENT_REPORT;
  event.count = static_cast<std::uint32_t>(std::min(bytes.size(), event.data.size()));
  event.has_data = true;
  std::copy_n(bytes.begin(), event.count, event.data.begin());
  return event;
}

struct StreamDelivery::State {
  State(KbBridgeCallback c, std::uint32_t t) : callback(c), tag(t) {}
  const KbBridgeCallback callback;
  const std::uint32_t tag;
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<StreamEvent> events;
  bool stopping = false;
  bool delivering = false;
  bool ended = false;
};

StreamDelivery::StreamDelivery(KbBridgeCallback callback, std::uint32_t tag)
    : state_(std::make_shared<State>(callback, tag)), thread_([state = state_] { Run(state); }) {}

StreamDelivery::~StreamDelivery() {
  {
    std::unique_lock lock(state_->mutex);
    state_->stopping = true;
    state_->events.clear();
    state_->changed.notify_all();
    if (!OnOwnThread() &&
        state_->changed.wait_for(lock, kStuckLimit, [this] { return state_->ended; })) {
      lock.unlock();
      thread_.join();
      return;
    }
  }
  thread_.detach();
}

void StreamDelivery::Push(StreamEvent event) {
  {
    std::lock_guard lock(state_->mutex);
    if (state_->stopping) return;
    state_->events.push_back(std::move(event));
  }
  state_->changed.notify_all();
}

void StreamDelivery::Stop() {
  std::unique_lock lock(state_->mutex);
  state_->stopping = true;
  state_->events.clear();
  state_->changed.notify_all();
  if (!OnOwnThread()) state_->changed.wait(lock, [this] { return !state_->delivering; });
}

void StreamDelivery::Run(const std::shared_ptr<State>& state) {
  std::unique_lock lock(state->mutex);
  for (;;) {
    state->changed.wait(lock, [&] { return state->stopping || !state->events.empty(); });
    if (state->stopping) break;
    const StreamEvent event = std::move(state->events.front());
    state->events.pop_front();
    state->delivering = true;
    lock.unlock();
    // The records live only for the call, as the hidapi build's do.
    const std::uint16_t code = event.consumer_code.value_or(0);
    KbParsedReport parsed{};
    parsed.consumer_code = &code;
    const KbStreamBlock block{state->tag, event.count, event.has_data ? event.data.data() : nullptr,
                              nullptr, event.consumer_code ? &parsed : nullptr};
    const KbBridgeEvent bridge_event{event.kind, 0, &block};
    if (event.answer_clock != nullptr) event.answer_clock->AddHeld(event.accepted);
    state->callback(&bridge_event);
    lock.lock();
    state->delivering = false;
    state->changed.notify_all();
  }
  state->ended = true;
  state->changed.notify_all();
}

}  // namespace talon::vkb
