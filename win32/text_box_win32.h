// The program's text box on Windows: Windows' own EDIT control, subclassed so that every way a
// character can come in is checked, every edit is one step of the box's own undo history, and
// the EDIT keeps no undo copy of its own.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
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
  // The first `characters` of the text at most, without copying the rest.
  [[nodiscard]] std::u16string TextStart(std::size_t characters) const;
  // What a screen reader reads as the box's value: its text, code 0 by the name of its picture.
  [[nodiscard]] std::u16string AccessibleValue() const;
  // Writes `text` as the program, not the user: nothing of the user's is left to undo.
  void Write(std::u16string_view text);
  // Replaces the whole text as one edit of the user's, through the box's checks.
  void ReplaceAll(const std::u16string& text);
  // What Ctrl+F and the menu's "Find character" do: the window's finder.
  void OnFindCharacter(std::function<void()> find) { find_character_ = std::move(find); }
  // Follows a change of the box's text (its EN_CHANGE); the user's edit goes into the history
  // once the message that made it is answered.
  void FollowChange();
  // Whether the box showed a picture before its last change or shows one now: then it is to be
  // painted again whole.
  [[nodiscard]] bool PictureMayHaveChanged();
  // Moves and sizes the box to `place`, drawing in `font` at `dpi`.
  void Place(const RECT& place, HFONT font, UINT dpi);

  [[nodiscard]] const BasicEditHistory<std::u16string>& History() const { return history_; }
  // Whether the change now being notified is a step of the code.
  [[nodiscard]] bool Stepping() const { return stepping_code_; }

 private:
  // What a message that may edit the box found before it ran: the selection, the length, and
  // the stretch of the text that message can take out, which tells exactly what the EDIT did
  // without a copy of the whole text on every keystroke.
  struct PendingEdit {
    CursorAndAnchor before;
    std::ptrdiff_t length = 0;
    std::ptrdiff_t stretch_start = 0;
    std::u16string stretch;
    bool keystroke = false;
    std::u16string* handed_over = nullptr;  // the text a paste puts in, moved into its step
    bool changed = false;                   // the EDIT said EN_CHANGE
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
  // Cuts the selection only once it is on the clipboard, else beeps and keeps it.
  void Cut();
  [[nodiscard]] PendingEdit NoteBefore(UINT message, WPARAM wparam) const;
  void RecordAfter(PendingEdit& pending);
  void Step(StepKey key);
  // Replaces the selection as one edit, through the box's own checks.
  void ReplaceSelection(const std::u16string& text);
  // Undoes the last edit, or redoes the last undone one; nothing when there is none, or when
  // the box refuses the step, which then stays to be taken.
  void StepHistory(bool back);
  void ShowContextMenu(LPARAM where);
  [[nodiscard]] EditState State() const;
  [[nodiscard]] int CaretHeight() const;
  [[nodiscard]] CursorAndAnchor Selection() const;
  [[nodiscard]] bool HasSelection() const;

  HWND box_ = nullptr;
  std::string_view name_;
  int id_ = 0;
  const TextBoxAccess& boxes_;
  FailureReportWin32& failures_;
  HFONT font_ = nullptr;
  UINT dpi_ = 96;
  std::optional<std::uint8_t> pictured_;  // the code the box shows as a picture
  bool holds_null_ = false;  // the program wrote U+0000, which the EDIT shows as nothing
  BasicEditHistory<std::u16string> history_;
  std::function<void()> find_character_;
  std::optional<PendingEdit> pending_;      // the innermost message now editing the box
  std::u16string* handing_over_ = nullptr;  // set by Paste for its EM_REPLACESEL
  bool writing_ = false;                    // inside Write: the program's own text
  bool stepping_code_ = false;              // inside Step: the change is a step of the code
  bool stepping_history_ = false;           // inside StepHistory: the step is the history's already
  bool history_step_shown_ = false;         // the box took the step StepHistory gave it
  bool emptying_own_undo_ = false;          // the EDIT's undo copy goes, the box's history stays
};

}  // namespace zentavo
