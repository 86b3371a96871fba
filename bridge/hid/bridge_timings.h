#pragma once
#include <chrono>

namespace talon::bridge {

// The library's pacing. Tests may pass shorter values; the defaults serve a real keyboard.
struct BridgeTimings {
  // One read waits at most this long, which also bounds how long stopping a reader takes.
  std::chrono::milliseconds read_timeout{50};
  // Pause before trying again to open a collection that is missing or failed.
  std::chrono::milliseconds reopen_delay{250};
  // Where the system gives no word of devices coming and going, the watcher re-enumerates this
  // often; a change is then reported within about presence_poll + read_timeout.
  std::chrono::milliseconds presence_poll{250};
  // Where it does, the watcher still re-enumerates this often, in case a word was lost.
  std::chrono::milliseconds presence_rescan{5000};
};

}  // namespace talon::bridge
