// Large buffers: the whole size is there, zeroed and writable, aligned for huge pages; several
// live side by side and each is given back.
#include "platform/large_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace talon {
namespace {

TEST(LargeBufferTest, EveryByteIsZeroedWritableAndApartFromTheOthers) {
  const std::size_t sizes[] = {1, 4096, 2445048, (std::size_t{2} << 20) * 3 + 17};
  std::vector<LargeBuffer> buffers;
  for (std::size_t size : sizes) {
    const std::optional<LargeBuffer> buffer = AllocateLargeBuffer(size);
    ASSERT_TRUE(buffer.has_value()) << size;
    EXPECT_EQ(buffer->size, size);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer->data) % (std::size_t{2} << 20), 0u);
    EXPECT_EQ(buffer->data[0], 0);
    EXPECT_EQ(buffer->data[size - 1], 0);
    std::memset(buffer->data, static_cast<int>(buffers.size() + 1), size);
    buffers.push_back(*buffer);
  }
  for (std::size_t i = 0; i < buffers.size(); ++i) {
    EXPECT_EQ(buffers[i].data[0], i + 1);
    EXPECT_EQ(buffers[i].data[buffers[i].size - 1], i + 1);
    ReleaseLargeBuffer(buffers[i]);
  }
}

TEST(LargeBufferTest, NothingForNoBytesOrMoreThanCanBeAddressed) {
  EXPECT_FALSE(AllocateLargeBuffer(0).has_value());
  EXPECT_FALSE(AllocateLargeBuffer(SIZE_MAX).has_value());
  ReleaseLargeBuffer({});  // harmless
}

}  // namespace
}  // namespace talon
