#pragma once
// Driving the program's windows as a user would, through xdotool on the display in DISPLAY:
// finding a process's visible windows, moving the pointer over a point and clicking it.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace talon::bench {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct XWindow {
  std::string id;
  Rect geometry;  // on the screen
};

bool HaveXdotool();
// The visible windows of process `pid`, largest first.
std::vector<XWindow> VisibleWindows(pid_t pid);
// Moves the pointer to (x, y) in the window's coordinates, clicking there when asked.
bool PointAt(const XWindow& window, int x, int y, bool click);

// The rectangle "x,y,w,h" of `key` in section [BUTTONINFO] of a skin file.
std::optional<Rect> SkinButton(const std::filesystem::path& skin_file, const std::string& key);

}  // namespace talon::bench
