#include "model/launch_strings.h"

namespace talon {

const std::u16string* LaunchStrings::Get(std::size_t record) const {
  if (record >= entries_.size() || !entries_[record]) return nullptr;
  return &*entries_[record];
}

void LaunchStrings::Set(std::size_t record, std::u16string text) {
  if (record >= entries_.size()) return;
  Release(record);
  entries_[record] = std::move(text);
  total_ += SizeOf(record);
}

void LaunchStrings::Release(std::size_t record) {
  if (record >= entries_.size() || !entries_[record]) return;
  total_ -= SizeOf(record);
  entries_[record].reset();
}

void LaunchStrings::Clear() {
  for (auto& entry : entries_) entry.reset();
  total_ = 0;
}

std::uint64_t LaunchStrings::SizeOf(std::size_t record) const {
  if (record >= entries_.size() || !entries_[record]) return 0;
  return (entries_[record]->size() + 1) * 2;
}

}  // namespace talon
