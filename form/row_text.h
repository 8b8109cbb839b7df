// What a row's two text boxes tell about the row's character, in whatever way a window shows
// it: tooltip, the description a screen reader reads, and what it announces of a new result.
#pragma once

#include <string>
#include <string_view>

#include "accessibility_table.h"
#include "code_page_setting.h"
#include "keyboard_ways.h"

namespace zentavo {

struct RowText {
  std::u16string tooltip;      // the hint's or the character's lines, as written
  std::u16string description;  // the same in one line, for speech
  // What a screen reader is told when the output box changes to show a character; empty while
  // the hint shows, for there is no result to tell.
  std::u16string announcement;
};

// How the row's input came to change: typed (or pasted, or undone), or stepped from the keyboard.
enum class InputChange { Edited, Stepped };

// The row's hint until its output box, whose whole text is `shown`, shows a character of the
// code page; then that character's details. A result the user stepped to is announced with its
// code first ("66, LATIN CAPITAL LETTER B"): they asked for the next code, not for a character,
// and must hear where the step took them.
// `setting` gives the code pages the details tell keystrokes and bytes in, asked for only once
// the row shows a character, and `keyboard` how the keyboard in use types it, where known.
[[nodiscard]] RowText RowTextFor(const accessibility::RowRecord& row, std::u16string_view shown,
                                 CodePageSettingSource setting,
                                 InputChange change = InputChange::Edited,
                                 KeyboardWaysSource keyboard = nullptr);

// What to announce of `text` while the output box does or does not have the focus: someone typing
// in the output box itself hears their own keys; anyone else is told. Empty for nothing.
[[nodiscard]] std::u16string_view AnnouncementOf(const RowText& text, bool output_box_has_focus);

}  // namespace zentavo
