// A small X program for the tests: one mapped window with WM_CLASS, _NET_WM_PID and
// WM_CLIENT_MACHINE set the way toolkits set them. Prints the window's id, then lives until
// its standard input closes.
//   x_test_window INSTANCE CLASS [CLIENT_MACHINE]    (on $DISPLAY)
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>
#include <xcb/xcb.h>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: x_test_window INSTANCE CLASS [CLIENT_MACHINE]\n");
    return 1;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c) != 0) return 2;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t window = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 64, 48, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);

  std::string wm_class = std::string(argv[1]) + '\0' + argv[2] + '\0';
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(wm_class.size()), wm_class.data());
  char host[HOST_NAME_MAX + 1] = {};
  gethostname(host, sizeof host - 1);
  const std::string machine = argc > 3 ? argv[3] : host;
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING,
                      8, static_cast<std::uint32_t>(machine.size()), machine.data());
  const std::string pid_name = "_NET_WM_PID";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(pid_name.size()), pid_name.data()),
      nullptr);
  const std::uint32_t pid = static_cast<std::uint32_t>(getpid());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom->atom, XCB_ATOM_CARDINAL, 32, 1, &pid);
  std::free(atom);
  xcb_map_window(c, window);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // all of it is done

  std::printf("%u\n", window);
  std::fflush(stdout);
  char buffer[64];
  while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
  }
  xcb_disconnect(c);
  return 0;
}
