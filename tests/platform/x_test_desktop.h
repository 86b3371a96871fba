#pragma once
// An X desktop for tests: a virtual X server of the test's own, small programs with one window
// each, and a stand-in window manager that says which window is active.
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "platform/active_window_info.h"

#include <sys/types.h>

namespace talon {

// For readable test failures.
inline void PrintTo(const ActiveWindowInfo& w, std::ostream* out) {
  *out << "{0x" << std::hex << w.window << std::dec << " \"" << w.instance_name << "\" \""
       << w.window_class << "\" \"" << w.executable << "\"" << (w.ours ? " ours}" : "}");
}

}  // namespace talon

namespace talon::test {

// Xvfb on a free display number, ended with the object.
class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool running() const { return !display_.empty(); }
  const std::string& display() const { return display_; }  // ":N"
  void Kill();

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// x_test_window copied to `folder/executable_name` (so that the window's program has that name)
// and run on `display`; ended with the object.
class TestWindowProgram {
 public:
  TestWindowProgram(const std::string& display, const std::filesystem::path& folder,
                    const std::string& executable_name, const std::string& instance,
                    const std::string& window_class, const std::string& client_machine = {});
  ~TestWindowProgram();
  TestWindowProgram(const TestWindowProgram&) = delete;
  TestWindowProgram& operator=(const TestWindowProgram&) = delete;

  std::uint32_t window() const { return window_; }  // 0 when it did not start
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int stdin_fd_ = -1;
  std::uint32_t window_ = 0;
};

// Does the window manager's part: announces _NET_ACTIVE_WINDOW in _NET_SUPPORTED and writes
// the active window on the root window.
class StandInWindowManager {
 public:
  explicit StandInWindowManager(const std::string& display, bool announce = true);
  ~StandInWindowManager();
  StandInWindowManager(const StandInWindowManager&) = delete;
  StandInWindowManager& operator=(const StandInWindowManager&) = delete;

  bool connected() const;
  // Writes _NET_ACTIVE_WINDOW (0: none) and waits until the server has it.
  void Activate(std::uint32_t window);
  // A window of this very process, with WM_CLASS and _NET_WM_PID.
  std::uint32_t CreateOwnWindow(const std::string& instance, const std::string& window_class);

 private:
  struct Connection;
  Connection* c_;
};

}  // namespace talon::test
