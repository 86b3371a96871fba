#pragma once
// Which of the keyboard's HID collections a device match record names.
#include <cstdint>

namespace talon::vkb {

enum class Collection { kNone, kConfig, kConsumer, kIndicator };

// The virtual keyboard answers only fully specified records (all four match flags) naming
// its own vendor and product; anything else matches no collection.
Collection IdentifyRecord(const std::uint8_t* record);

}  // namespace talon::vkb
