#include "platform/large_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

namespace talon {
namespace {

// The huge page size of x86-64 and of most 64-bit ARM systems; elsewhere the alignment is
// merely larger than needed.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t PageRounded(std::size_t size) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (size + page - 1) / page * page;
}

}  // namespace

std::optional<LargeBuffer> AllocateLargeBuffer(std::size_t size) {
  if (size == 0 || size > SIZE_MAX - kHugePage) return std::nullopt;
  const std::size_t length = PageRounded(size);
  // Map a huge page more than needed and give back what lies outside the aligned part, so that
  // every whole 2 MiB of the buffer can be one huge page.
  const std::size_t mapped = length + kHugePage;
  void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return std::nullopt;
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
  if (aligned > start) munmap(raw, aligned - start);
  const std::uintptr_t end = start + mapped;
  if (end > aligned + length)
    munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
  auto* data = reinterpret_cast<std::uint8_t*>(aligned);
  // Advice only: without huge pages the buffer works the same, in ordinary pages.
  madvise(data, length, MADV_HUGEPAGE);
  return LargeBuffer{data, size};
}

void ReleaseLargeBuffer(const LargeBuffer& buffer) {
  if (buffer.data != nullptr) munmap(buffer.data, PageRounded(buffer.size));
}

}  // namespace talon
