#include "display_check.h"

#include <gtest/gtest.h>

#include <string>

namespace zentavo {
namespace {

TEST(ChooseDisplay, TheUsersOwnPlatformIsTakenAsItIs) {
  EXPECT_EQ(ChooseDisplay({.platform = "offscreen"}).platforms, "offscreen");
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
  };
  for (const ProblemRow& row : rows) {
    const DisplayChoice choice = ChooseDisplay(row.environment);
    EXPECT_TRUE(choice.platforms.empty()) << row.name;
    EXPECT_EQ(choice.problem, row.problem) << row.name;
  }
}

}  // namespace
}  // namespace zentavo
