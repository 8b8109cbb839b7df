// Words the toolkit's own answer when it cannot open a display: the toolkit decides which
// platform to try, how to read -platform, -display and the environment, and whether a display
// lets it in; this only turns what it and its display libraries said into the program's one line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

// One message the toolkit gave while the application was being made.
struct ToolkitMessage {
  std::string category;  // "qt.qpa.xcb"; empty for the default category
  std::string text;
  // What the toolkit's libraries wrote on the standard error themselves since the message before
  // it (libX11 prints an X server's refusal there: "Authorization required, but no authorization
  // protocol specified").
  std::string printed_before;
};

// The displays the environment names, as the user set it; nothing where a variable is unset.
struct NamedDisplays {
  std::optional<std::string> wayland_display = std::nullopt;  // WAYLAND_DISPLAY
  std::optional<std::string> wayland_socket = std::nullopt;   // WAYLAND_SOCKET
  std::optional<std::string> x_display = std::nullopt;        // DISPLAY
};

// The program's one line once the toolkit has given up with `fatal`, after saying `said`:
//   zentavo: no display to open the window on: neither WAYLAND_DISPLAY nor DISPLAY is set.
//   zentavo: no display to open the window on: the X server at DISPLAY :71 refused the
//     connection: Authorization required, but no authorization protocol specified.
//   zentavo: no display to open the window on: no platform plugin "xcbb"; installed: xcb, ….
// A fatal answer that is about no display at all is given as the toolkit's own first line.
[[nodiscard]] std::string DisplayRefusalLine(const std::vector<ToolkitMessage>& said,
                                             std::string_view fatal, const NamedDisplays& named);

// The line once the toolkit has waited `seconds` for a display that took the connection and never
// answered: what already failed, then the displays the environment names, for the toolkit gives
// no word while it waits.
[[nodiscard]] std::string UnansweredDisplayLine(const std::vector<ToolkitMessage>& said,
                                                const NamedDisplays& named, int seconds);

// The platforms to ask the toolkit to try, in order, where the user named none
// (`platform_variable`, QT_QPA_PLATFORM, is unset) and the environment names a Wayland
// compositor: "wayland;xcb", the native window first. Nothing otherwise: the toolkit's own
// choice stands, and -platform on the command line overrides this in any case.
[[nodiscard]] std::optional<std::string> PlatformsToTry(
    const std::optional<std::string>& platform_variable, const NamedDisplays& named);

}  // namespace zentavo
