// Finds, before the toolkit starts, which display the window can open on, so that a machine
// without one, a display that refuses the program or one that never answers gets a plain
// sentence instead of the toolkit's abort or an endless wait.
#pragma once

#include <chrono>
#include <string>

namespace zentavo {

struct DisplayEnvironment {
  const char* platform = nullptr;         // QT_QPA_PLATFORM: the user's own choice, untouched
  const char* wayland_display = nullptr;  // WAYLAND_DISPLAY
  const char* runtime_dir = nullptr;      // XDG_RUNTIME_DIR, where Wayland sockets live
  const char* x_display = nullptr;        // DISPLAY
  // Asked only once a Wayland compositor answers: looking costs start-up time on X11 for nothing.
  bool (*wayland_plugin_installed)() = nullptr;
  // How long a display may take to answer before it counts as not answering.
  std::chrono::milliseconds patience = std::chrono::seconds(10);
};

struct DisplayChoice {
  // The toolkit platforms to try, in order, as QT_QPA_PLATFORM takes them ("wayland;xcb");
  // empty when no display answers.
  std::string platforms;
  // When `platforms` is empty: one line saying what was tried and why it failed.
  std::string problem;
};

// Connects to each display the environment names as the toolkit will, through libwayland-client
// and libxcb: a native Wayland compositor first, then the X server (XWayland included). A
// display counts only once it has answered: a compositor its first round trip, an X server its
// connection setup, with the program let in. Both are asked at once, within `patience`.
[[nodiscard]] DisplayChoice ChooseDisplay(const DisplayEnvironment& environment);

}  // namespace zentavo
