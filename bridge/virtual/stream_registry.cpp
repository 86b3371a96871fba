#include "stream_registry.h"

#include <algorithm>

namespace talon::vkb {

std::uint32_t StreamRegistry::AddStream(Collection collection, KbBridgeCallback callback,
                                        std::uint32_t tag) {
  auto delivery = std::make_unique<StreamDelivery>(callback, tag);
  std::lock_guard lock(mutex_);
  return AddLocked(collection, std::move(delivery));
}

std::uint32_t StreamRegistry::AddStatusRequest() {
  std::lock_guard lock(mutex_);
  return AddLocked(Collection::kIndicator, nullptr);
}

std::uint32_t StreamRegistry::AddLocked(Collection collection,
                                        std::unique_ptr<StreamDelivery> delivery) {
  const std::uint32_t id = next_unit_id_++;
  if (next_unit_id_ == 0) next_unit_id_ = 1;
  registrations_.push_back({id, collection, std::move(delivery)});
  return id;
}

bool StreamRegistry::Remove(std::uint32_t unit_id) {
  std::unique_ptr<StreamDelivery> delivery;
  {
    std::lock_guard lock(mutex_);
    const auto found =
        std::find_if(registrations_.begin(), registrations_.end(),
                     [unit_id](const Registration& r) { return r.unit_id == unit_id; });
    if (found == registrations_.end()) return false;
    delivery = std::move(found->delivery);
    registrations_.erase(found);
  }
  if (delivery) delivery->Stop();
  return true;
}

void StreamRegistry::Clear() {
  std::vector<Registration> gone;
  {
    std::lock_guard lock(mutex_);
    gone.swap(registrations_);
  }
  gone.clear();
}

void StreamRegistry::Deliver(Collection collection, StreamEvent event) {
  std::lock_guard lock(mutex_);
  for (const Registration& r : registrations_) {
    if (r.collection != collection || !r.delivery) continue;
    r.delivery->Push(event);
    event.answer_clock = nullptr;
  }
}

}  // namespace talon::vkb
