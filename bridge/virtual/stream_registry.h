#pragma once
// The registrations of the library's callers: standing reads on a collection and status
// writes, each under a unit id. Events are delivered outside every lock, and a registration
// that DeleteRequestFromUnitId removed is never called again once that call has returned.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "collection.h"
#include "kb_bridge_abi.h"

namespace talon::vkb {

class StreamRegistry {
 public:
  // Returns the new registration's unit id (never 0).
  std::uint32_t Add(Collection collection, KbBridgeCallback callback, std::uint32_t tag);
  // False when no registration has that id. Waits for a delivery in progress to that
  // registration unless the caller is that delivery's own callback.
  bool Remove(std::uint32_t unit_id);
  void Clear();

  // Calls every registration on the collection with one event of the given kind; the stream
  // block carries the registration's tag.
  void Deliver(Collection collection, std::uint32_t kind, std::uint32_t count,
               const std::uint8_t* data, const KbParsedReport* parsed);

 private:
  struct Registration {
    std::uint32_t unit_id;
    Collection collection;
    KbBridgeCallback callback;
    std::uint32_t tag;
  };
  bool BeginDelivery(std::uint32_t unit_id);
  void EndDelivery();

  std::mutex mutex_;
  std::condition_variable delivered_;
  std::vector<Registration> registrations_;
  std::uint32_t next_unit_id_ = 1;
  std::uint32_t delivering_ = 0;  // unit id whose callback runs now, 0 for none
  std::thread::id delivering_thread_;
};

}  // namespace talon::vkb
