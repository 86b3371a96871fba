#include "presence_watcher.h"

namespace talon::bridge {

PresenceWatcher::PresenceWatcher(Snapshot streams, DeviceInventory& inventory,
                                 const BridgeTimings& timings)
    : streams_(std::move(streams)),
      inventory_(inventory),
      timings_(timings),
      monitor_(MakeHotplugMonitor()),
      thread_((Refresh(), std::thread([this] { Run(); }))) {}

PresenceWatcher::~PresenceWatcher() {
  stopping_ = true;
  monitor_->Wake();
  thread_.join();
}

void PresenceWatcher::Run() {
  // With word of changes a slow re-enumeration only guards against a missed one.
  const auto period = monitor_->live() ? timings_.presence_rescan : timings_.presence_poll;
  while (!stopping_) {
    monitor_->Wait(period);
    if (stopping_) break;
    Refresh();
  }
}

void PresenceWatcher::Refresh() {
  const DeviceList present = DeviceList::Enumerate();
  // Published first: a stream told of an arrival reopens from the new snapshot.
  inventory_.Publish(present);
  for (const auto& stream : streams_()) stream->NotePresence(present.Count(stream->record()));
}

}  // namespace talon::bridge
