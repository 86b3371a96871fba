// What the active-window watcher tells about the window in front.
#pragma once

#include <cstdint>
#include <string>

namespace talon {

struct ActiveWindowInfo {
  std::uint32_t window = 0;   // 0: no window is active, or none we can see (a native Wayland one)
  std::string instance_name;  // WM_CLASS, first part ("navigator")
  std::string window_class;   // WM_CLASS, second part ("Firefox")
  std::string executable;     // the file name of the window's program ("firefox"); "" if unknown
  bool ours = false;          // a window of this very process

  bool operator==(const ActiveWindowInfo&) const = default;
};

}  // namespace talon
