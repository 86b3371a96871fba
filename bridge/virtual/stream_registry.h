#pragma once
// The registrations of the library's callers, each under a unit id: standing reads on a
// collection, whose events go to a delivery thread of their own, and status writes, which
// receive nothing. A registration that DeleteRequestFromUnitId removed is never called again
// once that call has returned.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "collection.h"
#include "kb_bridge_abi.h"
#include "stream_delivery.h"

namespace talon::vkb {

class StreamRegistry {
 public:
  // Returns the new registration's unit id (never 0).
  std::uint32_t AddStream(Collection collection, KbBridgeCallback callback, std::uint32_t tag);
  std::uint32_t AddStatusRequest();
  // False when no registration has that id. Waits for a delivery in progress to that
  // registration unless the caller is that delivery's own callback.
  bool Remove(std::uint32_t unit_id);
  // Ends every registration (at unload: a callback stuck for long is left behind).
  void Clear();

  // Queues the event for every stream on the collection, in the order of the calls. An answer's
  // time in the keyboard is counted once, at the first stream.
  void Deliver(Collection collection, StreamEvent event);

 private:
  struct Registration {
    std::uint32_t unit_id;
    Collection collection;
    std::unique_ptr<StreamDelivery> delivery;  // null for a status write
  };
  std::uint32_t AddLocked(Collection collection, std::unique_ptr<StreamDelivery> delivery);

  std::mutex mutex_;
  std::vector<Registration> registrations_;
  std::uint32_t next_unit_id_ = 1;
};

}  // namespace talon::vkb
