#pragma once
// The hand-over between an exchange waiting for its answer and the library callback that
// delivers it. One answer is taken per try; unsolicited and late answers (arriving while no
// exchange waits) are dropped.
//
// The keyboard answers reports in the order they were written, so the slot keeps one entry per
// report written and not yet answered, and an answer is matched with the oldest entry. An
// answer that comes after its wait gave up is then known for what it is when it lands in a
// later exchange's wait, and dropped, instead of being taken for that exchange's answer (which,
// for chunk after chunk of one command, would shift every chunk's data by one).
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>

#include "platform/auto_reset_event.h"

namespace talon {

class TransactionSlot {
 public:
  // Starts an exchange (a request and its tries).
  void BeginExchange();
  // Starts a try just before its report is written: the answer buffer is zeroed (so a short
  // answer's missing bytes read as 0), the response event reset, the busy flag set and an
  // answer owed for the report.
  void Arm(std::span<std::uint8_t> answer);
  // The try's report was not written: no answer is owed for it. Ends the try.
  void WriteFailed();
  // Ends the try: the busy flag is cleared and no callback touches the buffer any more.
  void Disarm();
  // A whole wait passed without any answer: answers still owed to earlier exchanges are not
  // coming (the keyboard answers in order).
  void GiveUpEarlierAnswers();
  // The exchange ended without an answer: none of the answers owed are expected any more.
  void GiveUpAllAnswers();

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
  std::uint64_t exchange_ = 0;
  std::deque<std::uint64_t> owed_;  // the exchange of each report still to be answered
};

}  // namespace talon
