// Finds, before the toolkit starts, which display the window can open on, so that a machine
// without one gets a plain sentence instead of the toolkit's abort.
#pragma once

#include <string>
#include <string_view>

namespace zentavo {

struct DisplayEnvironment {
  const char* platform = nullptr;         // QT_QPA_PLATFORM: the user's own choice, untouched
  const char* wayland_display = nullptr;  // WAYLAND_DISPLAY
  const char* runtime_dir = nullptr;      // XDG_RUNTIME_DIR, where Wayland sockets live
  const char* x_display = nullptr;        // DISPLAY
  // Asked only once a Wayland compositor answers: looking costs start-up time on X11 for nothing.
  bool (*wayland_plugin_installed)() = nullptr;
};

struct DisplayChoice {
  // The toolkit platforms to try, in order, as QT_QPA_PLATFORM takes them ("wayland;xcb");
  // empty when no display answers.
  std::string platforms;
  // When `platforms` is empty: one line saying what was tried and why it failed.
  std::string problem;
};

// Tries each display the environment names by connecting to its socket: a native Wayland
// compositor first, then the X server (XWayland included).
[[nodiscard]] DisplayChoice ChooseDisplay(const DisplayEnvironment& environment);

// Where an X display name's server listens: "/tmp/.X11-unix/X0" for ":0" or "unix:0", or
// "host:6000" style for a remote one ("host:6000" for "host:0.1"). Empty for a malformed name.
[[nodiscard]] std::string XServerAddress(std::string_view display);

}  // namespace zentavo
