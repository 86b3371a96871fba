#pragma once
// Memory for large buffers that live long (decoded full-window pictures), backed by huge pages
// where the system offers them. Written for the first time, an ordinary 2.4 MB buffer takes
// about 600 page faults; on virtual machines each one is slow, and together they cost more than
// decoding the picture into it. A huge page takes one fault per 2 MiB. Where the system has no
// huge pages the buffer is ordinary memory.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace talon {

struct LargeBuffer {
  std::uint8_t* data = nullptr;  // `size` bytes, zeroed, aligned to 2 MiB
  std::size_t size = 0;
};

// Nothing when `size` is 0 or the memory cannot be had.
std::optional<LargeBuffer> AllocateLargeBuffer(std::size_t size);
void ReleaseLargeBuffer(const LargeBuffer& buffer);

}  // namespace talon
