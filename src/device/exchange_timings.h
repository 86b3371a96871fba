#pragma once
#include <chrono>

namespace talon {

// How long the report exchange waits and pauses. The program uses the defaults; tests may pass
// shorter ones to run the same code quickly.
struct ExchangeTimings {
  std::chrono::milliseconds answer_wait{1000};
  std::chrono::milliseconds retry_pause{10};
  std::chrono::milliseconds end_config_pause{10};
  // After a try timed out, how long a finished exchange waits for the answers still owed (the
  // keyboard sends the late one and the retry's own back to back).
  std::chrono::milliseconds owed_answer_wait{100};
};

}  // namespace talon
