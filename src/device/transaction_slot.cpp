#include "device/transaction_slot.h"

#include <algorithm>

namespace talon {

void TransactionSlot::BeginExchange() {
  std::lock_guard lock(mutex_);
  written_ = 0;
  answers_ = 0;
}

void TransactionSlot::Arm(std::span<std::uint8_t> answer) {
  std::lock_guard lock(mutex_);
  std::fill(answer.begin(), answer.end(), std::uint8_t{0});
  answer_ = answer;
  received_ = 0;
  answered_ = false;
  busy_ = true;
  ++written_;
}

void TransactionSlot::WriteFailed() {
  std::lock_guard lock(mutex_);
  --written_;
  busy_ = false;
  answer_ = {};
}

void TransactionSlot::Disarm() {
  std::lock_guard lock(mutex_);
  busy_ = false;
  answer_ = {};
}

void TransactionSlot::WaitForOwedAnswers(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  if (answers_ == 0) return;  // a keyboard that answered nothing at all owes nothing late
  answer_counted_.wait_for(lock, limit, [this] { return answers_ >= written_; });
}

bool TransactionSlot::WaitForAnswer(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return answer_taken_.wait_for(lock, timeout, [this] { return answered_; });
}

int TransactionSlot::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool TransactionSlot::Complete(std::span<const std::uint8_t> data) {
  bool taken = false;
  {
    std::lock_guard lock(mutex_);
    ++answers_;
    if (busy_ && !answered_) {
      const std::size_t n = std::min(data.size(), answer_.size());
      std::copy_n(data.begin(), n, answer_.begin());
      received_ = static_cast<int>(n);
      answered_ = true;
      taken = true;
    }
  }
  answer_counted_.notify_all();
  if (taken) answer_taken_.notify_all();
  return taken;
}

}  // namespace talon
