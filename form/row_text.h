// What a row's two text boxes tell about the row's character, in whatever way a window shows
// it: tooltip, the description a screen reader reads, and what it announces of a new result.
#pragma once

#include <string>
#include <string_view>

#include "accessibility_table.h"

namespace zentavo {

struct RowText {
  std::u16string tooltip;      // the hint's or the character's lines, as written
  std::u16string description;  // the same in one line, for speech
  // What a screen reader is told when the output box changes to show a character; empty while
  // the hint shows, for there is no result to tell.
  std::u16string announcement;
};

// The row's hint until its output box, whose whole text is `shown`, shows a character of the
// code page; then that character's details.
[[nodiscard]] RowText RowTextFor(const accessibility::RowRecord& row, std::u16string_view shown);

// What to announce of `text` while the output box does or does not have the focus: someone typing
// in the output box itself hears their own keys; anyone else is told. Empty for nothing.
[[nodiscard]] std::u16string_view AnnouncementOf(const RowText& text, bool output_box_has_focus);

}  // namespace zentavo
