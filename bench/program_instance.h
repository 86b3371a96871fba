#pragma once
// One talon7x process started the way a user starts it, on the virtual keyboard, with folders of
// its own (runtime, settings, data, the keyboard's state file) so that several can run side by
// side without meeting as one instance per user, and a timing log (app/startup_timing.h).
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace talon::bench {

struct ProcessCpu {
  std::uint64_t ticks = 0;  // user + system, in clock ticks
};

class ProgramInstance {
 public:
  // `build` holds talon7x and virtual/libKbBridge.so; `root` is the instance's own folder,
  // kept between starts so that a start finds what the previous one left, as a user's does.
  ProgramInstance(std::filesystem::path build, std::filesystem::path root);
  ~ProgramInstance();
  ProgramInstance(const ProgramInstance&) = delete;
  ProgramInstance& operator=(const ProgramInstance&) = delete;

  // Starts the program with `args`; the moment just before it is spawned is the start's zero.
  bool Start(const std::vector<std::string>& args);
  // Waits for the timing log's line `moment` ("ready", "painted"); the time since the start's
  // zero, or nothing when the moment did not come within `limit` or the program ended.
  std::optional<std::chrono::nanoseconds> WaitFor(const std::string& moment,
                                                  std::chrono::milliseconds limit);
  // Whether the "ready" line said the tray icon was shown.
  bool TrayShown() const;
  // Ends the program as a user does ("talon7x /Kill"), killing it when that does not work.
  void Stop();

  // Lighting mode on or off for the next start, as the lighting toggle leaves it.
  void SetLightingMode(bool on) const;
  // Runs talon7x-ctl on this instance's keyboard; whether it succeeded.
  bool RunCtl(const std::vector<std::string>& args) const;

  pid_t pid() const { return pid_; }
  bool Running();
  // Resident memory in KiB (VmRSS of /proc/PID/status); nothing when unreadable.
  std::optional<long> ResidentKiB() const;
  std::optional<ProcessCpu> Cpu() const;

 private:
  std::vector<std::string> Environment() const;
  pid_t Spawn(const std::string& program, const std::vector<std::string>& args) const;
  std::string Log() const;

  std::filesystem::path build_;
  std::filesystem::path root_;
  std::filesystem::path log_;
  pid_t pid_ = -1;
  std::chrono::steady_clock::time_point zero_;
};

}  // namespace talon::bench
