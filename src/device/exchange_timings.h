#pragma once
#include <chrono>

namespace talon {

// How long the report exchange waits and pauses. The program uses the defaults; tests may pass
// shorter ones to run the same code quickly.
struct ExchangeTimings {
  std::chrono::milliseconds answer_wait{1000};
  std::chrono::milliseconds retry_pause{10};
  std::chrono::milliseconds end_config_pause{10};
};

}  // namespace talon
