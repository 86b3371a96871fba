#pragma once
// Results of every device operation. Callers test for kDone.

namespace talon {

inline constexpr int kDone = 1;
inline constexpr int kNoKeyboard = 0;            // nothing sent, or waiting for the answer failed
inline constexpr int kWriteRefused = -1;         // the library refused the write
inline constexpr int kNoAnswer = -2;             // no matching answer after three tries
inline constexpr int kKeyboardStatus255 = -102;  // the keyboard answered with status 255
inline constexpr int kKeyboardStatus254 = -103;  // the keyboard answered with status 254
inline constexpr int kBadBank = -201;            // key-map bank index above 3

}  // namespace talon
