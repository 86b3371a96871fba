#pragma once
// The hand-over between an exchange waiting for its answer and the library callback that
// delivers it. One answer is taken per try; unsolicited and late answers (arriving while no
// exchange waits) are dropped.
//
// The slot also counts the reports written and the answers received during one exchange. When
// a try timed out and a later one succeeded, the keyboard may still owe an answer (the late one
// was taken by the retry, whose own answer is on its way); the exchange then waits a moment for
// it, so it cannot be taken for the next exchange's answer (which, for chunk after chunk of one
// command, would shift every chunk's data by one).
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>

namespace talon {

class TransactionSlot {
 public:
  // Starts an exchange (a request and its tries): nothing written, nothing received.
  void BeginExchange();
  // Starts a try just before its report is written: the answer buffer is zeroed (so a short
  // answer's missing bytes read as 0), the busy flag set, and the report counted as written.
  void Arm(std::span<std::uint8_t> answer);
  // The try's report was not written after all. Ends the try.
  void WriteFailed();
  // Ends the try: the busy flag is cleared and no callback touches the buffer any more.
  void Disarm();
  // Waits, at most `limit`, until every report written in this exchange had its answer; the
  // answers that come meanwhile are dropped. No wait when no answer came at all.
  void WaitForOwedAnswers(std::chrono::milliseconds limit);

  // True when the try's answer came within the timeout.
  bool WaitForAnswer(std::chrono::milliseconds timeout);
  // Bytes copied into the answer buffer by the last delivery.
  int received() const;

  // The completion path, on the library's thread. Copies at most the buffer's capacity and
  // signals the waiter; false when the answer was dropped.
  bool Complete(std::span<const std::uint8_t> data);

 private:
  // Guards the fields against a callback racing the end of a try; the exchange itself never
  // waits on it for longer than a copy.
  mutable std::mutex mutex_;
  // Both are signalled with the mutex released, so the woken thread does not block on it at
  // once: a waiter checks its condition under the mutex, so a late signal wakes nobody wrongly.
  std::condition_variable answer_counted_;
  std::condition_variable answer_taken_;
  bool busy_ = false;
  bool answered_ = false;
  std::span<std::uint8_t> answer_;
  int received_ = 0;
  int written_ = 0;  // reports written in this exchange
  int answers_ = 0;  // answers received in this exchange, taken or dropped
};

}  // namespace talon
