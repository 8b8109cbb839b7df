// Keeps a row's text boxes telling what the row's character is: tooltips, the descriptions a
// screen reader reads, and an announcement of each new result.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "accessibility_table.h"
#include "row_text.h"

namespace zentavo {

class ResultAnnouncerWin32;

class RowDetailsWin32 {
 public:
  RowDetailsWin32(const accessibility::RowRecord& row, HWND window, HWND input, HWND output,
                  ResultAnnouncerWin32& announcer);

  // Gives the row's two boxes a tool each in `tooltip`, a tooltip control owned by the window,
  // showing what the row tells now; until then the row tells screen readers alone.
  void ShowTipsIn(HWND tooltip);
  // Tells what the output box, whose whole text is `shown`, now shows, after `change`.
  void Update(std::u16string_view shown, InputChange change = InputChange::Edited);
  // Tells it anew after the keyboard in use changed, announcing nothing: the result is the same.
  void Refresh(std::u16string_view shown);

  [[nodiscard]] const accessibility::RowRecord& Row() const { return row_; }
  // What a screen reader reads as either box's description.
  [[nodiscard]] const std::u16string& Description() const { return text_.description; }

 private:
  void ShowText(std::u16string_view shown, InputChange change);

  const accessibility::RowRecord& row_;
  HWND window_;
  HWND tooltip_ = nullptr;
  HWND input_;
  HWND output_;
  ResultAnnouncerWin32& announcer_;
  RowText text_;
};

}  // namespace zentavo
