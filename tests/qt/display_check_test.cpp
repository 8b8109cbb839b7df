#include "display_check.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace zentavo {
namespace {

bool Installed() { return true; }
bool NotInstalled() { return false; }

struct ChoiceRow {
  const char* name;
  DisplayEnvironment environment;
  std::string platforms;
};

TEST(ChooseDisplay, APlatformThatNeedsNoDisplayIsTakenAsItIs) {
  const std::vector<ChoiceRow> rows = {
      {"offscreen", {.platform = "offscreen"}, "offscreen"},
      {"with an option", {.platform = "offscreen:fontconfig"}, "offscreen:fontconfig"},
      // The toolkit falls back on the second when the first fails, so nothing is asked.
      {"after an X platform", {.platform = "xcb;minimal", .x_display = ":x"}, "xcb;minimal"},
  };
  for (const ChoiceRow& row : rows) {
    const DisplayChoice choice = ChooseDisplay(row.environment);
    EXPECT_EQ(choice.platforms, row.platforms) << row.name;
    EXPECT_EQ(choice.problem, "") << row.name;
  }
}

struct ProblemRow {
  const char* name;
  DisplayEnvironment environment;
  std::string problem;
};

TEST(ChooseDisplay, SaysInOneLineWhatItTriedAndWhyItFailed) {
  const std::string start = "zentavo: no display to open the window on: ";
  const std::vector<ProblemRow> rows = {
      {"nothing named", {}, start + "neither WAYLAND_DISPLAY nor DISPLAY is set."},
      {"a Wayland name without a runtime folder",
       {.wayland_display = "wayland-0"},
       start + "WAYLAND_DISPLAY is wayland-0 but XDG_RUNTIME_DIR, where its socket would be, is "
               "not set."},
      {"no compositor at the socket",
       {.wayland_display = "/nonexistent/wayland-9"},
       start + "no Wayland compositor answers at /nonexistent/wayland-9."},
      {"no colon", {.x_display = "0"}, start + "DISPLAY is 0, which names no X display."},
      {"no number", {.x_display = ":"}, start + "DISPLAY is :, which names no X display."},
      {"not a number", {.x_display = ":x"}, start + "DISPLAY is :x, which names no X display."},
      {"both, each failing",
       {.wayland_display = "/nonexistent/wayland-9", .x_display = ":x"},
       start + "no Wayland compositor answers at /nonexistent/wayland-9; DISPLAY is :x, which "
               "names no X display."},
      {"named on the command line",
       {.x_display = ":x", .x_display_named_by = "-display"},
       start + "-display is :x, which names no X display."},
      {"the user's X platform without a display",
       {.platform = "xcb"},
       start + "the platform xcb needs an X display, but DISPLAY is not set."},
      {"the user's Wayland platform, looking for wayland-0",
       {.platform = "wayland-egl"},
       start + "the Wayland display is wayland-0 by default but XDG_RUNTIME_DIR, where its "
               "socket would be, is not set."},
      {"a handed-over socket that is no number",
       {.wayland_socket = "three", .x_display = ":x"},
       start + "WAYLAND_SOCKET is \"three\", which names no open socket; DISPLAY is :x, which "
               "names no X display."},
      {"a handed-over socket that is set but empty",
       {.wayland_socket = ""},
       start + "WAYLAND_SOCKET is \"\", which names no open socket."},
      {"a handed-over socket that is not open",
       {.wayland_socket = "987654"},
       start + "WAYLAND_SOCKET is \"987654\", which names no open socket."},
  };
  for (const ProblemRow& row : rows) {
    const DisplayChoice choice = ChooseDisplay(row.environment);
    EXPECT_TRUE(choice.platforms.empty()) << row.name;
    EXPECT_EQ(choice.problem, row.problem) << row.name;
  }
}

// Asking on a connection the parent handed over would use it up: the toolkit's Wayland platform
// is chosen, and the socket is left as it was, unread and unwritten.
TEST(ChooseDisplay, LeavesAHandedOverWaylandSocketToTheToolkit) {
  int ends[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
  const std::string handed_over = std::to_string(ends[0]);
  const DisplayChoice choice = ChooseDisplay({.wayland_socket = handed_over.c_str(),
                                              .x_display = ":x",
                                              .wayland_plugin_installed = &Installed});
  EXPECT_EQ(choice.platforms, "wayland");
  char byte = 0;
  EXPECT_EQ(recv(ends[1], &byte, 1, MSG_DONTWAIT), -1) << "the check wrote to the compositor";
  EXPECT_EQ(send(ends[1], "x", 1, 0), 1);
  EXPECT_EQ(recv(ends[0], &byte, 1, MSG_DONTWAIT), 1) << "the check closed or read the socket";
  EXPECT_EQ(ChooseDisplay(
                {.wayland_socket = handed_over.c_str(), .wayland_plugin_installed = &NotInstalled})
                .problem,
            "zentavo: no display to open the window on: a Wayland connection is handed over in "
            "WAYLAND_SOCKET but the toolkit's Wayland support (package qt6-wayland) is not "
            "installed.");
  close(ends[0]);
  close(ends[1]);

  const int file = open("/dev/null", O_RDONLY);
  const std::string not_a_socket = std::to_string(file);
  EXPECT_EQ(ChooseDisplay({.wayland_socket = not_a_socket.c_str()}).problem,
            "zentavo: no display to open the window on: WAYLAND_SOCKET is \"" + not_a_socket +
                "\", which names no open socket.");
  close(file);
}

struct ArgumentsRow {
  std::vector<const char*> argv;
  const char* platform;
  const char* x_display;
};

TEST(ReadDisplayArguments, ReadsTheCommandLineAsTheToolkitDoes) {
  const std::vector<ArgumentsRow> rows = {
      {{"zentavo"}, nullptr, nullptr},
      {{"zentavo", "-platform", "offscreen"}, "offscreen", nullptr},
      {{"zentavo", "--platform", "xcb", "-display", ":3"}, "xcb", ":3"},
      {{"zentavo", "--display", ":3.0"}, nullptr, ":3.0"},
      {{"zentavo", "-display", ":1", "-display", ":2"}, nullptr, ":2"},
      {{"zentavo", "-platform"}, nullptr, nullptr},  // a name missing at the end counts for nothing
      {{"zentavo", "-platform", "-display", ":4"}, "-display", nullptr},
      {{"zentavo", "-platformtheme", "gtk3", "-displayed"}, nullptr, nullptr},
      {{"zentavo", "---display", ":5"}, nullptr, nullptr},
  };
  for (const ArgumentsRow& row : rows) {
    const DisplayArguments arguments =
        ReadDisplayArguments(static_cast<int>(row.argv.size()), row.argv.data());
    const std::string line = row.argv.size() > 1 ? row.argv[1] : "(none)";
    EXPECT_STREQ(arguments.platform, row.platform) << line;
    EXPECT_STREQ(arguments.x_display, row.x_display) << line;
  }
}

TEST(OneLineReason, KeepsAServersReasonToOneShortLine) {
  EXPECT_EQ(OneLineReason("Authorization required, but no authorization protocol specified\n"),
            "Authorization required, but no authorization protocol specified");
  EXPECT_EQ(OneLineReason("two\r\nlines\t\x1b[31m"), "two lines [31m");
  EXPECT_EQ(OneLineReason(std::string(300, 'a')), std::string(240, 'a') + "…");
  // Cut before a character, never inside one.
  EXPECT_EQ(OneLineReason(std::string(239, 'a') + "é" + std::string(10, 'b')),
            std::string(239, 'a') + "…");
}

}  // namespace
}  // namespace zentavo
