// The shared geometry rules: twips to pixels at any DPI, the captions' fit and the tab order.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "control_names.h"
#include "focus_order.h"
#include "layout_table.h"

namespace zentavo {
namespace {

struct PixelRow {
  const char* name;
  layout::TwipRect place;
  int dpi;
  layout::PixelRect expected;
};

TEST(ToPixels, RoundsEachEdgeHalfUpAtTheDpiGiven) {
  const std::vector<PixelRow> rows = {
      {"the code box at 96", {3960, 1200, 615, 375}, 96, {264, 80, 305, 105}},
      {"the code box at 144", {3960, 1200, 615, 375}, 144, {396, 120, 458, 158}},
      {"the code box at 120", {3960, 1200, 615, 375}, 120, {330, 100, 381, 131}},
      {"a half pixel rounds up", {7, 7, 8, 8}, 96, {0, 0, 1, 1}},
      {"the whole window at 192", {0, 0, 6360, 4050}, 192, {0, 0, 848, 540}},
  };
  for (const PixelRow& row : rows) {
    const layout::PixelRect got = layout::ToPixels(row.place, row.dpi);
    EXPECT_EQ(got.left, row.expected.left) << row.name;
    EXPECT_EQ(got.top, row.expected.top) << row.name;
    EXPECT_EQ(got.right, row.expected.right) << row.name;
    EXPECT_EQ(got.bottom, row.expected.bottom) << row.name;
  }
}

TEST(ToPixels, NeighboursThatTouchInTwipsTouchInPixels) {
  for (const int dpi : {96, 120, 144, 168, 192, 288}) {
    for (int left = 0; left < 2000; left += 7) {
      const layout::PixelRect first = layout::ToPixels({left, 0, 613, 100}, dpi);
      const layout::PixelRect second = layout::ToPixels({left + 613, 0, 300, 100}, dpi);
      ASSERT_EQ(first.right, second.left) << dpi << " " << left;
    }
  }
}

TEST(FocusOrder, GoesDownTheRowsAndEndsOnTheButton) {
  const std::vector<std::string_view> expected = {
      control_names::kCodeInput, control_names::kCharacterOutput, control_names::kCharacterInput,
      control_names::kCodeOutput, control_names::kExitButton};
  const auto order = FocusOrder();
  EXPECT_EQ(std::vector<std::string_view>(order.begin(), order.end()), expected);
}

}  // namespace
}  // namespace zentavo
