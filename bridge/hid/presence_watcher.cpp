#include "presence_watcher.h"

#include "device_list.h"

namespace talon::bridge {

PresenceWatcher::PresenceWatcher(Snapshot streams, std::chrono::milliseconds period)
    : streams_(std::move(streams)), period_(period), thread_([this] { Run(); }) {}

PresenceWatcher::~PresenceWatcher() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void PresenceWatcher::Run() {
  std::unique_lock lock(mutex_);
  while (!wake_.wait_for(lock, period_, [this] { return stopping_; })) {
    lock.unlock();
    Poll();
    lock.lock();
  }
}

void PresenceWatcher::Poll() {
  const std::vector<std::shared_ptr<StreamReader>> streams = streams_();
  if (streams.empty()) return;
  // One enumeration serves every stream: narrowed to the streams' vendor and product when
  // they all agree (the usual case), otherwise every HID collection.
  std::uint16_t vendor = streams.front()->record().enumerate_vendor();
  std::uint16_t product = streams.front()->record().enumerate_product();
  for (const auto& stream : streams) {
    if (stream->record().enumerate_vendor() != vendor) vendor = 0;
    if (stream->record().enumerate_product() != product) product = 0;
  }
  const DeviceList present = DeviceList::Enumerate(vendor, product);
  for (const auto& stream : streams) stream->NotePresence(present.Count(stream->record()));
}

}  // namespace talon::bridge
