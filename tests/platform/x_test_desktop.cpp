#include "x_test_desktop.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string_view>

#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace talon::test {
namespace {

// Reads one line from `fd`, waiting at most `timeout_ms` in all.
std::string ReadLine(int fd, int timeout_ms) {
  std::string line;
  pollfd p{fd, POLLIN, 0};
  while (poll(&p, 1, timeout_ms) > 0) {
    char c = 0;
    if (read(fd, &c, 1) != 1 || c == '\n') break;
    line.push_back(c);
  }
  return line;
}

// posix_spawn rather than fork: the test process has threads, and a forked child of a
// threaded process may only call async-signal-safe functions before exec.
bool Spawn(pid_t& pid, const char* program, const posix_spawn_file_actions_t* actions,
           std::vector<std::string> args, char* const* env, bool search_path) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const int error = search_path ? posix_spawnp(&pid, program, actions, nullptr, argv.data(), env)
                                : posix_spawn(&pid, program, actions, nullptr, argv.data(), env);
  if (error != 0) pid = -1;
  return error == 0;
}

void EndChild(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

xcb_atom_t Atom(xcb_connection_t* c, std::string_view name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr);
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

void Sync(xcb_connection_t* c) {
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

}  // namespace

XvfbServer::XvfbServer() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  // The server writes its display number to this descriptor once it accepts connections.
  constexpr int kDisplayFd = 9;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], kDisplayFd);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const std::vector<std::string> args{"Xvfb",      "-displayfd", std::to_string(kDisplayFd),
                                      "-screen",   "0",          "320x240x24",
                                      "-nolisten", "tcp",        "-noreset"};
  const bool spawned = Spawn(pid_, "Xvfb", &actions, args, environ, true);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  const std::string number = spawned ? ReadLine(fds[0], 15000) : std::string();
  close(fds[0]);
  if (!number.empty()) display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
  Kill();
}

void XvfbServer::Kill() {
  EndChild(pid_);
  pid_ = -1;
}

TestWindowProgram::TestWindowProgram(const std::string& display,
                                     const std::filesystem::path& folder,
                                     const std::string& executable_name,
                                     const std::string& instance, const std::string& window_class,
                                     const std::string& client_machine) {
  namespace fs = std::filesystem;
  fs::create_directories(folder);
  const fs::path program = folder / executable_name;
  fs::copy_file(X_TEST_WINDOW_PROGRAM, program, fs::copy_options::overwrite_existing);
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return;
  if (pipe2(out, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  std::vector<std::string> args{executable_name, instance, window_class};
  if (!client_machine.empty()) args.push_back(client_machine);
  std::vector<std::string> env_text;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string_view(*e).rfind("DISPLAY=", 0) != 0) env_text.emplace_back(*e);
  }
  env_text.push_back("DISPLAY=" + display);
  std::vector<char*> env;
  for (std::string& e : env_text) env.push_back(e.data());
  env.push_back(nullptr);
  Spawn(pid_, program.c_str(), &actions, args, env.data(), false);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  stdin_fd_ = in[1];
  const std::string id = ReadLine(out[0], 10000);
  close(out[0]);
  if (!id.empty()) window_ = static_cast<std::uint32_t>(std::stoul(id));
}

TestWindowProgram::~TestWindowProgram() {
  if (stdin_fd_ >= 0) close(stdin_fd_);
  EndChild(pid_);
}

struct StandInWindowManager::Connection {
  xcb_connection_t* xcb = nullptr;
  xcb_window_t root = 0;
  xcb_visualid_t visual = 0;
};

StandInWindowManager::StandInWindowManager(const std::string& display, bool announce)
    : c_(new Connection) {
  c_->xcb = xcb_connect(display.c_str(), nullptr);
  if (!connected()) return;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_->xcb)).data;
  c_->root = screen->root;
  c_->visual = screen->root_visual;
  if (announce) {
    const xcb_atom_t supported[] = {Atom(c_->xcb, "_NET_ACTIVE_WINDOW")};
    xcb_change_property(c_->xcb, XCB_PROP_MODE_REPLACE, c_->root, Atom(c_->xcb, "_NET_SUPPORTED"),
                        XCB_ATOM_ATOM, 32, 1, supported);
  }
  Sync(c_->xcb);
}

StandInWindowManager::~StandInWindowManager() {
  if (c_->xcb != nullptr) xcb_disconnect(c_->xcb);
  delete c_;
}

bool StandInWindowManager::connected() const {
  return c_->xcb != nullptr && xcb_connection_has_error(c_->xcb) == 0;
}

void StandInWindowManager::Activate(std::uint32_t window) {
  xcb_change_property(c_->xcb, XCB_PROP_MODE_REPLACE, c_->root, Atom(c_->xcb, "_NET_ACTIVE_WINDOW"),
                      XCB_ATOM_WINDOW, 32, 1, &window);
  Sync(c_->xcb);
}

std::uint32_t StandInWindowManager::CreateOwnWindow(const std::string& instance,
                                                    const std::string& window_class) {
  const xcb_window_t window = xcb_generate_id(c_->xcb);
  xcb_create_window(c_->xcb, XCB_COPY_FROM_PARENT, window, c_->root, 0, 0, 32, 32, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, c_->visual, 0, nullptr);
  const std::string wm_class = instance + '\0' + window_class + '\0';
  xcb_change_property(c_->xcb, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(wm_class.size()), wm_class.data());
  const std::uint32_t pid = static_cast<std::uint32_t>(getpid());
  xcb_change_property(c_->xcb, XCB_PROP_MODE_REPLACE, window, Atom(c_->xcb, "_NET_WM_PID"),
                      XCB_ATOM_CARDINAL, 32, 1, &pid);
  Sync(c_->xcb);
  return window;
}

}  // namespace talon::test
