// The one line for each answer the toolkit gives when it cannot open a display. The messages
// are the toolkit's own, as Qt 6.4 and Qt 6.8 print them, libX11's and libwayland's words
// included; the display tests check the same cases through the real program.
#include "display_refusal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentavo {
namespace {

const ToolkitMessage kXFailed{"qt.qpa.plugin",
                              "Could not load the Qt platform plugin \"xcb\" in \"\" even though "
                              "it was found.",
                              ""};
const ToolkitMessage kWaylandFailed{"qt.qpa.plugin",
                                    "Could not load the Qt platform plugin \"wayland\" in \"\" "
                                    "even though it was found.",
                                    ""};
// Qt 6.5 and later say this between the connection's failure and the plugin's, whatever failed.
const ToolkitMessage kCursorLibraryHint{
    "qt.qpa.plugin",
    "From 6.5.0, xcb-cursor0 or libxcb-cursor0 is needed to load the Qt xcb platform plugin.", ""};
const std::string kFatal =
    "This application failed to start because no Qt platform plugin could be initialized. "
    "Reinstalling the application may fix this problem.\n\nAvailable platform plugins are: "
    "wayland-egl, minimal, linuxfb, offscreen, xcb, eglfs, vnc, vkkhrdisplay, minimalegl, "
    "wayland.\n";
const std::string kNoWindow = "zentavo: no display to open the window on: ";

ToolkitMessage XConnection(const std::string& display, const std::string& printed = "") {
  return {"qt.qpa.xcb", "could not connect to display " + display, printed};
}

ToolkitMessage WaylandConnection(const std::string& error, const std::string& printed = "") {
  return {"", "Failed to create wl_display (" + error + ")", printed};
}

struct RefusalRow {
  const char* name;
  std::vector<ToolkitMessage> said;
  NamedDisplays named;
  std::string line;
};

TEST(DisplayRefusalLine, WordsWhatTheToolkitSaidItTriedAndWhyItFailed) {
  const std::string long_reason(300, 'r');
  const std::vector<RefusalRow> rows = {
      {"nothing named",
       {XConnection(""), kXFailed},
       {},
       kNoWindow + "neither WAYLAND_DISPLAY nor DISPLAY is set."},
      {"no X server there",
       {XConnection(":99"), kCursorLibraryHint, kXFailed},
       {.x_display = ":99"},
       kNoWindow + "no X server at DISPLAY :99 lets the program in (none runs there, or it has "
                   "no such screen)."},
      {"a screen the server lacks, named on the command line",
       {XConnection(":71.4"), kXFailed},
       {.x_display = ":71"},
       kNoWindow + "no X server at -display :71.4 lets the program in (none runs there, or it "
                   "has no such screen)."},
      {"a server that wants a cookie",
       {XConnection(":71", "Authorization required, but no authorization protocol specified\n\n"),
        kXFailed},
       {.x_display = ":71"},
       kNoWindow + "the X server at DISPLAY :71 refused the connection: Authorization required, "
                   "but no authorization protocol specified."},
      {"a reason cut to one line",
       {XConnection(":71", "\n  " + long_reason + "\tmore\nsecond line"), kXFailed},
       {.x_display = ":71"},
       kNoWindow + "the X server at DISPLAY :71 refused the connection: " + std::string(240, 'r') +
           "."},
      {"a misspelt platform",
       {{"qt.qpa.plugin", "Could not find the Qt platform plugin \"xcbb\" in \"\"", ""}},
       {.x_display = ":0"},
       kNoWindow + "no platform plugin \"xcbb\"; installed: wayland-egl, minimal, linuxfb, "
                   "offscreen, xcb, eglfs, vnc, vkkhrdisplay, minimalegl, wayland."},
      {"Wayland asked for, no compositor named",
       {WaylandConnection("No such file or directory"), kWaylandFailed},
       {},
       kNoWindow + "WAYLAND_DISPLAY is not set, and no Wayland compositor answers at wayland-0, "
                   "the default (No such file or directory)."},
      {"a compositor named that is not there, then X",
       {WaylandConnection("No such file or directory"), kWaylandFailed, XConnection(":99"),
        kCursorLibraryHint, kXFailed},
       {.wayland_display = "wayland-none", .x_display = ":99"},
       kNoWindow + "no Wayland compositor answers at WAYLAND_DISPLAY wayland-none (No such file "
                   "or directory); no X server at DISPLAY :99 lets the program in (none runs "
                   "there, or it has no such screen)."},
      {"libwayland's own words",
       {WaylandConnection("No such file or directory",
                          "error: XDG_RUNTIME_DIR is invalid or not set in the environment.\n"),
        kWaylandFailed, XConnection(""), kXFailed},
       {.wayland_display = "w"},
       kNoWindow + "no Wayland compositor answers at WAYLAND_DISPLAY w (error: XDG_RUNTIME_DIR "
                   "is invalid or not set in the environment.); DISPLAY is not set."},
      {"a handed-over connection that is no socket",
       {WaylandConnection("Bad file descriptor"), kWaylandFailed, XConnection(""), kXFailed},
       {.wayland_socket = "77"},
       kNoWindow + "the Wayland connection handed over in WAYLAND_SOCKET (77) cannot be used: Bad "
                   "file descriptor; DISPLAY is not set."},
      {"a compositor named, the toolkit's Wayland support missing",
       {{"qt.qpa.plugin", "Could not find the Qt platform plugin \"wayland\" in \"\"", ""},
        XConnection(""),
        kXFailed},
       {.wayland_display = "wayland-0"},
       kNoWindow + "a Wayland compositor is named (WAYLAND_DISPLAY is wayland-0) but the "
                   "toolkit's Wayland support (package qt6-wayland) is not installed; DISPLAY is "
                   "not set."},
      {"another platform, with the toolkit's reason",
       {{"qt.qpa.eglfs", "Could not open egl display", ""},
        {"qt.qpa.plugin",
         "Could not load the Qt platform plugin \"eglfs\" in \"\" even though it was found.", ""}},
       {},
       kNoWindow + "the toolkit's platform \"eglfs\" could not start: Could not open egl display."},
      {"a fatal answer about no display",
       {},
       {},
       "zentavo: the toolkit could not start: This "
       "application failed to start because no Qt platform plugin could be initialized. "
       "Reinstalling the application may fix this problem."},
  };
  for (const RefusalRow& row : rows) {
    EXPECT_EQ(DisplayRefusalLine(row.said, kFatal, row.named), row.line) << row.name;
  }
}

TEST(UnansweredDisplayLine, NamesWhatWasNotYetRefused) {
  const std::vector<RefusalRow> rows = {
      {"a silent X server",
       {},
       {.x_display = ":90"},
       kNoWindow + "the X server took the connection but did not answer within 10 s (DISPLAY is "
                   ":90)."},
      {"a silent compositor",
       {},
       {.wayland_display = "/tmp/silent"},
       kNoWindow + "the Wayland compositor took the connection but did not answer within 10 s "
                   "(WAYLAND_DISPLAY is /tmp/silent)."},
      {"the compositor refused, then X is silent",
       {WaylandConnection("No such file or directory"), kWaylandFailed},
       {.wayland_display = "w", .x_display = ":90"},
       kNoWindow + "no Wayland compositor answers at WAYLAND_DISPLAY w (No such file or "
                   "directory); the X server took the connection but did not answer within 10 s "
                   "(DISPLAY is :90)."},
      {"both named, nothing said yet",
       {},
       {.wayland_display = "w", .x_display = ":90"},
       kNoWindow + "the display took the connection but did not answer within 10 s "
                   "(WAYLAND_DISPLAY is w, DISPLAY is :90)."},
  };
  for (const RefusalRow& row : rows) {
    EXPECT_EQ(UnansweredDisplayLine(row.said, row.named, 10), row.line) << row.name;
  }
}

}  // namespace
}  // namespace zentavo
