#pragma once
#include <cstdint>
#include <span>

namespace talon {

// Sends one configuration report and waits for the keyboard's answer.
class ReportExchanger {
 public:
  virtual ~ReportExchanger() = default;
  // Returns kDone, kNoKeyboard, kWriteRefused or kNoAnswer. `answer` receives at most its size;
  // `received` is the number of bytes copied when the result is kDone, else 0.
  virtual int ExchangeReport(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer,
                             int& received) = 0;
};

}  // namespace talon
