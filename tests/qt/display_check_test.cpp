#include "display_check.h"

#include <gtest/gtest.h>

#include <string>

#include "table_rows.h"

namespace zentavo {
namespace {

struct AddressRow {
  const char* name;
  const char* display;
  std::string address;
};

class XDisplayAddress : public testing::TestWithParam<AddressRow> {};

TEST_P(XDisplayAddress, IsWhereItsServerListens) {
  EXPECT_EQ(XServerAddress(GetParam().display), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Names, XDisplayAddress,
    testing::Values(AddressRow{"Local", ":0", "/tmp/.X11-unix/X0"},
                    AddressRow{"LocalWithScreen", ":12.1", "/tmp/.X11-unix/X12"},
                    AddressRow{"UnixPrefix", "unix:3", "/tmp/.X11-unix/X3"},
                    AddressRow{"Remote", "example.com:1.0", "example.com:6001"},
                    AddressRow{"NoColon", "0", ""}, AddressRow{"NoNumber", ":", ""},
                    AddressRow{"NotANumber", ":x", ""}, AddressRow{"BeyondAnyPort", ":70000", ""},
                    AddressRow{"Huge", ":99999999999999999999", ""}),
    testing_support::RowName());

TEST(ChooseDisplay, TheUsersOwnPlatformIsTakenAsItIs) {
  EXPECT_EQ(ChooseDisplay({.platform = "offscreen"}).platforms, "offscreen");
}

TEST(ChooseDisplay, WithNothingNamedItSaysSoInOneLine) {
  const DisplayChoice choice = ChooseDisplay({});
  EXPECT_TRUE(choice.platforms.empty());
  EXPECT_EQ(choice.problem,
            "zentavo: no display to open the window on: neither WAYLAND_DISPLAY nor DISPLAY is "
            "set.");
}

TEST(ChooseDisplay, AWaylandNameWithoutARuntimeFolderIsExplained) {
  const DisplayChoice choice = ChooseDisplay({.wayland_display = "wayland-0"});
  EXPECT_TRUE(choice.platforms.empty());
  EXPECT_NE(choice.problem.find("XDG_RUNTIME_DIR"), std::string::npos) << choice.problem;
  EXPECT_EQ(choice.problem.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace zentavo
