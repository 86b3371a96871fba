#include "device/transaction_slot.h"

#include <algorithm>

namespace talon {

namespace {

// Far more than the keyboard could ever owe: a bound on what a keyboard that answers nothing
// leaves behind.
constexpr std::size_t kMaxOwed = 64;

}  // namespace

void TransactionSlot::BeginExchange() {
  std::lock_guard lock(mutex_);
  ++exchange_;
}

void TransactionSlot::Arm(std::span<std::uint8_t> answer) {
  std::lock_guard lock(mutex_);
  std::fill(answer.begin(), answer.end(), std::uint8_t{0});
  answer_ = answer;
  received_ = 0;
  answered_ = false;
  response_.Reset();
  busy_ = true;
  if (owed_.size() == kMaxOwed) owed_.pop_front();
  owed_.push_back(exchange_);
}

void TransactionSlot::WriteFailed() {
  std::lock_guard lock(mutex_);
  if (!owed_.empty()) owed_.pop_back();
  busy_ = false;
  answer_ = {};
}

void TransactionSlot::Disarm() {
  std::lock_guard lock(mutex_);
  busy_ = false;
  answer_ = {};
}

void TransactionSlot::GiveUpEarlierAnswers() {
  std::lock_guard lock(mutex_);
  std::erase_if(owed_, [this](std::uint64_t exchange) { return exchange != exchange_; });
}

void TransactionSlot::GiveUpAllAnswers() {
  std::lock_guard lock(mutex_);
  owed_.clear();
}

int TransactionSlot::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool TransactionSlot::Complete(std::span<const std::uint8_t> data) {
  std::lock_guard lock(mutex_);
  if (owed_.empty()) return false;  // nothing was asked
  const std::uint64_t answers_exchange = owed_.front();
  owed_.pop_front();
  if (!busy_ || answered_ || answers_exchange != exchange_) return false;
  const std::size_t n = std::min(data.size(), answer_.size());
  std::copy_n(data.begin(), n, answer_.begin());
  received_ = static_cast<int>(n);
  answered_ = true;
  response_.Set();
  return true;
}

}  // namespace talon
