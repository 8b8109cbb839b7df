// A one-line text control that answers the EDIT control's messages (WM_GETTEXT, EM_GETSEL,
// EM_SETSEL, EM_REPLACESEL, EM_POSFROMCHAR, EN_CHANGE...), so programs and screen readers that
// speak to an EDIT speak to it alike, but that measures and draws only the characters that show.
// Windows' EDIT lays the whole line out again on every change, which in a box of megabytes costs
// seconds a keystroke and many times the text in memory. It keeps no undo of its own: the box's
// history is the program's.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "edit_history.h"

namespace zentavo {

class LineEditWin32 {
 public:
  // A screen reader that meets a window of a class it does not know, with the system caret
  // blinking in it, and that answers EM_GETLINECOUNT, reads it as an edit control through the
  // EDIT messages (NVDA does so): this control keeps the system caret and answers them.
  static constexpr const wchar_t* kClassName = L"ZentavoEdit";

  // Registers the window class once per process; later calls do nothing.
  static void Register(HINSTANCE instance);
  // The control of `window`, or nullptr when `window` is not one.
  [[nodiscard]] static LineEditWin32* FromHandle(HWND window);

  // What the last change did, for whoever follows EN_CHANGE: `removed` taken out at `position`,
  // `inserted` characters put in its place, while the caret and anchor stood at `before`.
  struct Change {
    std::ptrdiff_t position = 0;
    std::u16string removed;
    std::ptrdiff_t inserted = 0;
    CursorAndAnchor before;
  };

  [[nodiscard]] std::u16string_view Text() const { return text_; }
  [[nodiscard]] CursorAndAnchor Selection() const { return {cursor_, anchor_}; }
  [[nodiscard]] Change& LastChange() { return last_change_; }
  // Replaces the selection with `text`, which is let go before EN_CHANGE is sent: a paste of
  // megabytes is not held twice while the window follows it.
  void ReplaceSelection(std::u16string text);

 private:
  explicit LineEditWin32(HWND window);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Answer(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT AnswerEditMessage(UINT message, WPARAM wparam, LPARAM lparam, bool& answered);
  void AnswerKey(WPARAM key);
  void AnswerCharacter(char16_t character);
  void AnswerMouse(UINT message, LPARAM where);

  [[nodiscard]] bool ReadOnly() const;
  [[nodiscard]] std::ptrdiff_t Length() const { return static_cast<std::ptrdiff_t>(text_.size()); }
  // Replaces [start, end) with `text` and puts the caret after it; false, and nothing heard,
  // when nothing changes.
  bool Replace(std::ptrdiff_t start, std::ptrdiff_t end, std::u16string text);
  void Select(std::ptrdiff_t anchor, std::ptrdiff_t cursor);
  void MoveCaret(std::ptrdiff_t to, bool extend);
  void Notify(WORD code) const;

  // Measuring, always of a bounded stretch of the text.
  [[nodiscard]] std::vector<int> Advances(std::ptrdiff_t start, std::ptrdiff_t end) const;
  [[nodiscard]] int WidthBetween(std::ptrdiff_t start, std::ptrdiff_t end, int enough) const;
  [[nodiscard]] std::ptrdiff_t FittingBefore(std::ptrdiff_t end, int pixels) const;
  [[nodiscard]] RECT TextArea() const;
  [[nodiscard]] int XOf(std::ptrdiff_t index) const;
  [[nodiscard]] std::ptrdiff_t IndexAt(int x) const;
  void ScrollToCaret();
  void PlaceCaret() const;
  // Makes the focused control's caret anew, in place and shown.
  void MakeCaret();
  void TakeFont(HFONT font);
  void Paint();

  HWND window_;
  std::u16string text_;
  std::ptrdiff_t cursor_ = 0;
  std::ptrdiff_t anchor_ = 0;
  std::ptrdiff_t first_shown_ = 0;  // the character at the text area's left edge
  HFONT font_ = nullptr;
  int line_height_ = 16;
  int margin_ = 2;
  bool focused_ = false;
  bool selecting_ = false;  // the left button is down and drags a selection
  bool modified_ = false;
  Change last_change_;
};

}  // namespace zentavo
