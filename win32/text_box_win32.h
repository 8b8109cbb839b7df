// The program's text box on Windows: an EDIT control, subclassed so that every way a character
// can come in is checked, every edit is one step of the box's own undo history, and the EDIT
// keeps no undo copy of its own.
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
class TextBoxAccess;

class TextBoxWin32 {
 public:
  // Makes the EDIT of `record` in `window`, with `id` as its control id. `boxes` gives the
  // window's boxes to Copy as; `failures` reports what escapes the box's messages.
  TextBoxWin32(const layout::ControlRecord& record, HWND window, HINSTANCE instance, int id,
               const TextBoxAccess& boxes, FailureReportWin32& failures);
  TextBoxWin32(const TextBoxWin32&) = delete;
  TextBoxWin32& operator=(const TextBoxWin32&) = delete;

  [[nodiscard]] HWND Handle() const { return box_; }
  [[nodiscard]] std::string_view Name() const { return name_; }
  [[nodiscard]] int Id() const { return id_; }

  // The box's text. An EDIT cannot hold U+0000: the box shows it as its picture and reads it
  // back, but shows nothing to copy.
  [[nodiscard]] std::u16string Text() const;
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
  // Where the selection stood before a message that may edit the box, which tells where the
  // edit was once EN_CHANGE shows its result, and whether a keystroke makes it.
  struct PendingEdit {
    CursorAndAnchor place;
    bool keystroke = false;
  };

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
  // Replaces the selection as one edit, which the EDIT keeps no undo copy of.
  void ReplaceSelection(const std::u16string& text);
  // Undoes the last edit, or redoes the last undone one; nothing when there is none, or when
  // the box refuses the step, which then stays to be taken.
  void StepHistory(bool back);
  void ShowContextMenu(LPARAM where);
  [[nodiscard]] EditState State() const;
  [[nodiscard]] CursorAndAnchor Selection() const;
  [[nodiscard]] bool HasSelection() const;

  HWND box_ = nullptr;
  std::string_view name_;
  int id_ = 0;
  const TextBoxAccess& boxes_;
  FailureReportWin32& failures_;
  HFONT font_ = nullptr;
  UINT dpi_ = 96;
  bool holds_null_ = false;  // the program wrote U+0000, which the EDIT shows as nothing
  BasicEditHistory<std::u16string> history_;
  std::u16string last_text_;  // the text as the history last saw it
  std::optional<PendingEdit> pending_edit_;
  bool writing_ = false;             // inside Write: the program's own text
  bool stepping_code_ = false;     // inside Step: the change is a step of the code
  bool stepping_history_ = false;    // inside StepHistory: the step is the history's already
  bool history_step_shown_ = false;  // the box took the step StepHistory gave it
  bool emptying_own_undo_ = false;   // the EDIT's undo copy goes, the box's history stays
};

}  // namespace zentavo
