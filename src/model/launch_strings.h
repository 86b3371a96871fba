#pragma once
// The launch paths and texts that key records of types 3 and 6 carry: one optional UTF-16 string
// per key record, with the running total of their sizes (terminators included) that becomes the
// string pool's size in a file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/key_record.h"

namespace talon {

class LaunchStrings {
 public:
  LaunchStrings() : entries_(kKeyRecordCount) {}

  // Nothing for a record without a string.
  const std::u16string* Get(std::size_t record) const;
  void Set(std::size_t record, std::u16string text);
  void Release(std::size_t record);
  void Clear();

  // Bytes the record's string takes in the pool, terminator included; 0 without a string.
  std::uint64_t SizeOf(std::size_t record) const;
  std::uint64_t total_bytes() const { return total_; }

 private:
  std::vector<std::optional<std::u16string>> entries_;
  std::uint64_t total_ = 0;
};

}  // namespace talon
