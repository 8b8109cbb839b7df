// Finds, before the toolkit starts, which display the window can open on, so that a machine
// without one, a display that refuses the program or one that never answers gets a plain
// sentence instead of the toolkit's abort or an endless wait.
#pragma once

#include <chrono>
#include <string>

#include "display_probes.h"

namespace zentavo {

struct DisplayEnvironment {
  // -platform on the command line, else QT_QPA_PLATFORM: the user's own choice, passed on as it
  // is once a display it needs answers.
  const char* platform = nullptr;
  const char* wayland_display = nullptr;  // WAYLAND_DISPLAY
  // WAYLAND_SOCKET: a connection the parent handed over. Asking on it would use it up, so it is
  // only looked at, and left to the toolkit.
  const char* wayland_socket = nullptr;
  const char* runtime_dir = nullptr;  // XDG_RUNTIME_DIR, where Wayland sockets live
  const char* x_display = nullptr;    // -display on the command line, else DISPLAY
  const char* x_display_named_by = "DISPLAY";
  // Asked only once a Wayland compositor answers: looking costs start-up time on X11 for nothing.
  bool (*wayland_plugin_installed)() = nullptr;
  // How long a display may take to answer before it counts as not answering.
  std::chrono::milliseconds patience = std::chrono::seconds(10);
};

// What the command line says of the platform and the X display, read as the toolkit reads it:
// "-platform NAME" and "-display NAME", with "--" taken as "-", the last one counting.
struct DisplayArguments {
  const char* platform = nullptr;
  const char* x_display = nullptr;
};
[[nodiscard]] DisplayArguments ReadDisplayArguments(int argc, const char* const* argv);

struct DisplayChoice {
  // The toolkit platforms to try, in order, as QT_QPA_PLATFORM takes them ("wayland;xcb");
  // empty when no display answers.
  std::string platforms;
  // When `platforms` is empty: one line saying what was tried and why it failed.
  std::string problem;
  // The check's X connection, to be ended once the toolkit has made its own.
  DisplayProbe held_x_connection;
};

// Connects to each display the environment names as the toolkit will, through libwayland-client
// and libxcb: a native Wayland compositor first, then the X server (XWayland included). A
// display counts only once it has answered: a compositor its first round trip, an X server its
// connection setup, with the program let in on the screen named. All are asked at once, and the
// wait ends as soon as the display the toolkit will take has answered, or after `patience`.
// A platform of the user's own that needs no display is taken without asking.
[[nodiscard]] DisplayChoice ChooseDisplay(const DisplayEnvironment& environment);

}  // namespace zentavo
