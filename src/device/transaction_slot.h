#pragma once
// The hand-over between an exchange waiting for its answer and the library callback that
// delivers it. One answer is taken per try; unsolicited and late answers (arriving while no
// exchange waits) are dropped.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>

#include "platform/auto_reset_event.h"

namespace talon {

class TransactionSlot {
 public:
  // Starts a try: the answer buffer is zeroed (so a short answer's missing bytes read as 0),
  // the response event reset and the busy flag set.
  void Arm(std::span<std::uint8_t> answer);
  // Ends the try: the busy flag is cleared and no callback touches the buffer any more.
  void Disarm();
  bool WaitForAnswer(std::chrono::milliseconds timeout) { return response_.WaitFor(timeout); }
  // Bytes copied into the answer buffer by the last delivery.
  int received() const;

  // The completion path, on the library's thread. Copies at most the buffer's capacity and
  // signals the waiter; false when the answer was dropped.
  bool Complete(std::span<const std::uint8_t> data);

 private:
  // Guards the fields against a callback racing the end of a try; the exchange itself never
  // waits on it for longer than a copy.
  mutable std::mutex mutex_;
  AutoResetEvent response_;
  bool busy_ = false;
  bool answered_ = false;
  std::span<std::uint8_t> answer_;
  int received_ = 0;
};

}  // namespace talon
