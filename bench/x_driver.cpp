#include "x_driver.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace talon::bench {
namespace {

// Runs xdotool with `args`; its standard output, or nothing when it failed.
std::optional<std::string> Xdotool(const std::vector<std::string>& args) {
  int out[2];
  if (pipe(out) != 0) return std::nullopt;
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, out[1], 1);
  posix_spawn_file_actions_addclose(&files, out[0]);
  posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv{const_cast<char*>("xdotool")};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, "xdotool", &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  close(out[1]);
  std::string text;
  char buffer[512];
  ssize_t n = 0;
  while (failed == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
  close(out[0]);
  if (failed != 0) return std::nullopt;
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return text;
}

std::optional<Rect> Geometry(const std::string& id) {
  const std::optional<std::string> shell = Xdotool({"getwindowgeometry", "--shell", id});
  if (!shell) return std::nullopt;
  Rect r;
  std::istringstream lines(*shell);
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = line.substr(0, eq);
    const int value = std::atoi(line.c_str() + eq + 1);
    if (name == "X") r.x = value;
    if (name == "Y") r.y = value;
    if (name == "WIDTH") r.width = value;
    if (name == "HEIGHT") r.height = value;
  }
  return r;
}

}  // namespace

bool HaveXdotool() {
  return Xdotool({"version"}).has_value();
}

std::vector<XWindow> VisibleWindows(pid_t pid) {
  std::vector<XWindow> windows;
  const std::optional<std::string> ids =
      Xdotool({"search", "--onlyvisible", "--pid", std::to_string(pid)});
  if (!ids) return windows;
  std::istringstream lines(*ids);
  std::string id;
  while (lines >> id) {
    if (const std::optional<Rect> r = Geometry(id)) windows.push_back({id, *r});
  }
  std::sort(windows.begin(), windows.end(), [](const XWindow& a, const XWindow& b) {
    return a.geometry.width * a.geometry.height > b.geometry.width * b.geometry.height;
  });
  return windows;
}

bool PointAt(const XWindow& window, int x, int y, bool click) {
  std::vector<std::string> args{"mousemove", "--window", window.id, std::to_string(x),
                                std::to_string(y)};
  if (click) args.insert(args.end(), {"click", "1"});
  return Xdotool(args).has_value();
}

std::optional<Rect> SkinButton(const std::filesystem::path& skin_file, const std::string& key) {
  std::ifstream in(skin_file);
  std::string line;
  bool in_section = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      in_section = line == "[BUTTONINFO]";
      continue;
    }
    if (!in_section || line.rfind(key + "=", 0) != 0) continue;
    Rect r;
    if (std::sscanf(line.c_str() + key.size() + 1, "%d,%d,%d,%d", &r.x, &r.y, &r.width,
                    &r.height) == 4) {
      return r;
    }
  }
  return std::nullopt;
}

}  // namespace talon::bench
