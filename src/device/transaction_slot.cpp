#include "device/transaction_slot.h"

#include <algorithm>

namespace talon {

void TransactionSlot::Arm(std::span<std::uint8_t> answer) {
  std::lock_guard lock(mutex_);
  std::fill(answer.begin(), answer.end(), std::uint8_t{0});
  answer_ = answer;
  received_ = 0;
  answered_ = false;
  response_.Reset();
  busy_ = true;
}

void TransactionSlot::Disarm() {
  std::lock_guard lock(mutex_);
  busy_ = false;
  answer_ = {};
}

int TransactionSlot::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool TransactionSlot::Complete(std::span<const std::uint8_t> data) {
  std::lock_guard lock(mutex_);
  if (!busy_ || answered_) return false;
  const std::size_t n = std::min(data.size(), answer_.size());
  std::copy_n(data.begin(), n, answer_.begin());
  received_ = static_cast<int>(n);
  answered_ = true;
  response_.Set();
  return true;
}

}  // namespace talon
