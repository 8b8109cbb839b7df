// The program's text box on Windows: a one-line edit control, subclassed so that every way a
// character can come in is checked and every edit is one step of the box's own undo history.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "edit_commands.h"
#include "edit_history.h"
#include "layout_table.h"

namespace zentavo {

class FailureReportWin32;
class LineEditWin32;
class TextBoxAccess;

class TextBoxWin32 {
 public:
  // Makes the edit control of `record` in `window`, with `id` as its control id. `boxes` gives the
  // window's boxes to Copy as; `failures` reports what escapes the box's messages.
  TextBoxWin32(const layout::ControlRecord& record, HWND window, HINSTANCE instance, int id,
               const TextBoxAccess& boxes, FailureReportWin32& failures);
  TextBoxWin32(const TextBoxWin32&) = delete;
  TextBoxWin32& operator=(const TextBoxWin32&) = delete;

  [[nodiscard]] HWND Handle() const { return box_; }
  [[nodiscard]] std::string_view Name() const { return name_; }
  [[nodiscard]] int Id() const { return id_; }

  // The box's text. The program's U+0000 is not put into the control, where it would end the
  // text any other program reads: the box shows it as its picture and reads it back, but shows
  // nothing to copy.
  [[nodiscard]] std::u16string Text() const;
  // The first `characters` of the text at most, without copying the rest.
  [[nodiscard]] std::u16string TextStart(std::size_t characters) const;
  // What a screen reader reads as the box's value: its text, code 0 by the name of its picture.
  [[nodiscard]] std::u16string AccessibleValue() const;
  // Writes `text` as the program, not the user: nothing of the user's is left to undo.
  void Write(std::u16string_view text);
  // Follows a change of the box's text (its EN_CHANGE): records the user's edit in the history.
  void FollowChange();
  // Moves and sizes the box to `place`, drawing in `font` at `dpi`.
  void Place(const RECT& place, HFONT font, UINT dpi);

  [[nodiscard]] const BasicEditHistory<std::u16string>& History() const { return history_; }
  // Whether the change now being notified is a step of the code.
  [[nodiscard]] bool Stepping() const { return stepping_code_; }

 private:
  static LRESULT CALLBACK Procedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR subclass, DWORD_PTR self);
  LRESULT NoteAndAnswer(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Answer(UINT message, WPARAM wparam, LPARAM lparam);
  // Refuses a character, a composition or a text the box cannot take; true when refused.
  bool RefusesInput(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT AnswerKey(UINT message, WPARAM wparam, LPARAM lparam);
  void Do(EditCommand command);
  void Paste();
  void Step(StepKey key);
  // Replaces the selection as one edit, through the box's own checks.
  void ReplaceSelection(const std::u16string& text);
  // Undoes the last edit, or redoes the last undone one; nothing when there is none, or when
  // the box refuses the step, which then stays to be taken.
  void StepHistory(bool back);
  void ShowContextMenu(LPARAM where);
  [[nodiscard]] EditState State() const;
  [[nodiscard]] CursorAndAnchor Selection() const;
  [[nodiscard]] bool HasSelection() const;
  [[nodiscard]] std::u16string_view ShownText() const;

  HWND box_ = nullptr;
  LineEditWin32* edit_ = nullptr;
  std::string_view name_;
  int id_ = 0;
  const TextBoxAccess& boxes_;
  FailureReportWin32& failures_;
  HFONT font_ = nullptr;
  UINT dpi_ = 96;
  bool holds_null_ = false;  // the program wrote U+0000, which the control holds as nothing
  BasicEditHistory<std::u16string> history_;
  // Whether the message now editing the box is a keystroke (a typed character, Backspace,
  // Delete), whose run is one step, or a replacement (a paste, a cut, a whole new text).
  std::optional<bool> pending_keystroke_;
  bool writing_ = false;             // inside Write: the program's own text
  bool stepping_code_ = false;       // inside Step: the change is a step of the code
  bool stepping_history_ = false;    // inside StepHistory: the step is the history's already
  bool history_step_shown_ = false;  // the box took the step StepHistory gave it
};

}  // namespace zentavo
