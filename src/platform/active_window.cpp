#include "platform/active_window.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include <limits.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace talon {
namespace {

// WM_CLASS and WM_CLIENT_MACHINE are short; a longer value is cut, never read whole.
constexpr std::uint32_t kMaxPropertyWords = 256;

struct PropertyReply {
  explicit PropertyReply(xcb_get_property_reply_t* r) : reply(r) {}
  ~PropertyReply() { std::free(reply); }
  PropertyReply(const PropertyReply&) = delete;
  PropertyReply& operator=(const PropertyReply&) = delete;

  std::string_view Bytes() const {
    if (reply == nullptr || reply->format != 8) return {};
    return {static_cast<const char*>(xcb_get_property_value(reply)),
            static_cast<std::size_t>(xcb_get_property_value_length(reply))};
  }
  // The first 32-bit item, when the property holds one.
  bool FirstWord(std::uint32_t& out) const {
    if (reply == nullptr || reply->format != 32 || xcb_get_property_value_length(reply) < 4) {
      return false;
    }
    out = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    return true;
  }

  xcb_get_property_reply_t* reply;
};

PropertyReply GetProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                          xcb_atom_t type, std::uint32_t max_words = kMaxPropertyWords) {
  const auto cookie = xcb_get_property(c, 0, window, property, type, 0, max_words);
  // A window gone meanwhile gives an error instead of a reply: the fields then stay empty.
  return PropertyReply(xcb_get_property_reply(c, cookie, nullptr));
}

xcb_atom_t InternAtom(xcb_connection_t* c, std::string_view name) {
  const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data());
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

std::string HostName() {
  std::array<char, HOST_NAME_MAX + 1> name{};
  if (gethostname(name.data(), name.size() - 1) != 0) return {};
  return name.data();
}

// The file name of the process's program; "" when it cannot be read (another user's process).
std::string ExecutableOf(std::uint32_t pid) {
  std::array<char, PATH_MAX> target{};
  const std::string link = "/proc/" + std::to_string(pid) + "/exe";
  const ssize_t n = readlink(link.c_str(), target.data(), target.size() - 1);
  if (n <= 0) return {};
  std::string_view path(target.data(), static_cast<std::size_t>(n));
  constexpr std::string_view kDeleted = " (deleted)";  // the program was updated while running
  if (path.ends_with(kDeleted)) path.remove_suffix(kDeleted.size());
  return std::string(path.substr(path.rfind('/') + 1));
}

bool IsWaylandSession() {
  const char* type = std::getenv("XDG_SESSION_TYPE");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (type != nullptr && std::string_view(type) == "wayland") ||
         (wayland != nullptr && *wayland != '\0');
}

}  // namespace

struct ActiveWindowWatcher::Connection {
  xcb_connection_t* xcb = nullptr;
  xcb_window_t root = 0;
  xcb_atom_t active_window = XCB_ATOM_NONE;
  xcb_atom_t wm_pid = XCB_ATOM_NONE;
  std::string host = HostName();
  xcb_window_t last = XCB_WINDOW_NONE;
  bool delivered = false;

  ~Connection() {
    if (xcb != nullptr) xcb_disconnect(xcb);
  }

  xcb_window_t ActiveWindow() const {
    std::uint32_t window = XCB_WINDOW_NONE;
    GetProperty(xcb, root, active_window, XCB_ATOM_WINDOW).FirstWord(window);
    return window;
  }

  ActiveWindowInfo Describe(xcb_window_t window) const {
    ActiveWindowInfo info;
    info.window = window;
    if (window == XCB_WINDOW_NONE) return info;
    const PropertyReply wm_class = GetProperty(xcb, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    // "instance\0class\0"; either part may be missing or unterminated.
    std::string_view bytes = wm_class.Bytes();
    const std::size_t end = bytes.find('\0');
    info.instance_name = std::string(bytes.substr(0, end));
    if (end != std::string_view::npos) {
      bytes.remove_prefix(end + 1);
      info.window_class = std::string(bytes.substr(0, bytes.find('\0')));
    }
    std::uint32_t pid = 0;
    if (!GetProperty(xcb, window, wm_pid, XCB_ATOM_CARDINAL).FirstWord(pid) || pid == 0) {
      return info;
    }
    // A process number means something only on the machine the program runs on.
    const PropertyReply machine =
        GetProperty(xcb, window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_GET_PROPERTY_TYPE_ANY);
    if (machine.reply != nullptr && machine.reply->type != XCB_ATOM_NONE &&
        machine.Bytes() != host) {
      return info;
    }
    info.ours = pid == static_cast<std::uint32_t>(getpid());
    info.executable = ExecutableOf(pid);
    return info;
  }

  bool WindowManagerReportsActiveWindow() const {
    const PropertyReply supported =
        GetProperty(xcb, root, InternAtom(xcb, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (supported.reply == nullptr || supported.reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.reply));
    const int count = xcb_get_property_value_length(supported.reply) / 4;
    for (int i = 0; i < count; ++i) {
      if (atoms[i] == active_window) return true;
    }
    return false;
  }
};

ActiveWindowWatcher::ActiveWindowWatcher() = default;

ActiveWindowWatcher::~ActiveWindowWatcher() {
  Stop();
}

ActiveWindowWatcher::StartResult ActiveWindowWatcher::Start(Callback callback,
                                                            const std::string& display) {
  Stop();
  const char* name = display.empty() ? std::getenv("DISPLAY") : display.c_str();
  if (name == nullptr || *name == '\0') {
    return {false, IsWaylandSession()
                       ? "a Wayland session without XWayland: the program in front cannot be seen"
                       : "no X display (DISPLAY is not set): the program in front cannot be seen"};
  }
  auto connection = std::make_unique<Connection>();
  int screen_number = 0;
  connection->xcb = xcb_connect(name, &screen_number);
  if (xcb_connection_has_error(connection->xcb) != 0) {
    return {false, std::string("cannot reach the X display ") + name +
                       ": the program in front cannot be seen"};
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection->xcb));
  for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) return {false, std::string("the X display ") + name + " has no screen"};
  connection->root = screens.data->root;
  connection->active_window = InternAtom(connection->xcb, "_NET_ACTIVE_WINDOW");
  connection->wm_pid = InternAtom(connection->xcb, "_NET_WM_PID");
  // Property changes of the root window are all we listen to: the window manager writes
  // _NET_ACTIVE_WINDOW there at every change of focus.
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection->xcb, connection->root, XCB_CW_EVENT_MASK, &mask);

  StartResult result{true, {}};
  if (!connection->WindowManagerReportsActiveWindow()) {
    result.note = "the window manager does not report the active window: idle until one does";
  } else if (IsWaylandSession()) {
    result.note = "a Wayland session: only programs running under XWayland are followed";
  }
  wake_fd_ = eventfd(0, EFD_CLOEXEC);
  if (wake_fd_ < 0) return {false, "cannot make the watcher's wake-up channel"};
  connection_ = std::move(connection);
  callback_ = std::move(callback);
  thread_ = std::thread([this] { Run(); });
  pthread_setname_np(thread_.native_handle(), "active-window");
  return result;
}

void ActiveWindowWatcher::Stop() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wake_fd_, &one, sizeof one);
    thread_.join();
  }
  if (wake_fd_ >= 0) close(wake_fd_);
  wake_fd_ = -1;
  connection_.reset();
  callback_ = nullptr;
}

void ActiveWindowWatcher::Run() {
  Connection& c = *connection_;
  const auto deliver = [this, &c] {
    const xcb_window_t window = c.ActiveWindow();
    // Window managers write the property again for the same window (a click into it).
    if (c.delivered && window == c.last) return;
    c.delivered = true;
    c.last = window;
    callback_(c.Describe(window));
  };
  deliver();
  std::array<pollfd, 2> fds{pollfd{xcb_get_file_descriptor(c.xcb), POLLIN, 0},
                            pollfd{wake_fd_, POLLIN, 0}};
  for (;;) {
    // Reading replies can queue events; take every queued one before waiting again.
    while (xcb_generic_event_t* event = xcb_poll_for_event(c.xcb)) {
      const bool active_changed =
          (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
          reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == c.active_window;
      std::free(event);
      if (active_changed) deliver();
    }
    // The X server went away: nothing more will come.
    if (xcb_connection_has_error(c.xcb) != 0) return;
    xcb_flush(c.xcb);
    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return;
    if (fds[1].revents != 0) return;
  }
}

}  // namespace talon
