#include "stream_registry.h"

#include <algorithm>

namespace talon::vkb {

std::uint32_t StreamRegistry::Add(Collection collection, KbBridgeCallback callback,
                                  std::uint32_t tag) {
  std::lock_guard lock(mutex_);
  const std::uint32_t id = next_unit_id_++;
  if (next_unit_id_ == 0) next_unit_id_ = 1;
  registrations_.push_back({id, collection, callback, tag});
  return id;
}

bool StreamRegistry::Remove(std::uint32_t unit_id) {
  std::unique_lock lock(mutex_);
  const auto n = std::erase_if(registrations_,
                               [unit_id](const Registration& r) { return r.unit_id == unit_id; });
  if (n == 0) return false;
  if (delivering_thread_ != std::this_thread::get_id())
    delivered_.wait(lock, [&] { return delivering_ != unit_id; });
  return true;
}

void StreamRegistry::Clear() {
  std::lock_guard lock(mutex_);
  registrations_.clear();
}

bool StreamRegistry::BeginDelivery(std::uint32_t unit_id) {
  std::lock_guard lock(mutex_);
  const bool present =
      std::any_of(registrations_.begin(), registrations_.end(),
                  [unit_id](const Registration& r) { return r.unit_id == unit_id; });
  if (!present) return false;
  delivering_ = unit_id;
  delivering_thread_ = std::this_thread::get_id();
  return true;
}

void StreamRegistry::EndDelivery() {
  {
    std::lock_guard lock(mutex_);
    delivering_ = 0;
    delivering_thread_ = {};
  }
  delivered_.notify_all();
}

void StreamRegistry::Deliver(Collection collection, std::uint32_t kind, std::uint32_t count,
                             const std::uint8_t* data, const KbParsedReport* parsed) {
  std::vector<Registration> targets;
  {
    std::lock_guard lock(mutex_);
    for (const Registration& r : registrations_)
      if (r.collection == collection && r.callback != nullptr) targets.push_back(r);
  }
  for (const Registration& r : targets) {
    if (!BeginDelivery(r.unit_id)) continue;  // removed meanwhile
    const KbStreamBlock block{r.tag, count, data, nullptr, parsed};
    const KbBridgeEvent event{kind, 0, &block};
    r.callback(&event);
    EndDelivery();
  }
}

}  // namespace talon::vkb
