// Form1 on Windows' own toolkit: the same layout table, control names and character details as
// the Qt window, built as a window of EDIT and BUTTON controls with its labels and lines painted.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit_history.h"
#include "failure_policy.h"
#include "gdi_font.h"
#include "handlers.h"

namespace zentavo {

class Form1Win32 final : public TextBoxAccess {
 public:
  // Builds the window and its controls, hidden, at the DPI of the primary monitor.
  explicit Form1Win32(HINSTANCE instance);
  Form1Win32(const Form1Win32&) = delete;
  Form1Win32& operator=(const Form1Win32&) = delete;
  ~Form1Win32() override;

  // Shows the window where Windows places new windows, with the focus in txtDeASCII.
  void Show(int show_command);

  // Runs `handler` on the control's notification: a text box's EN_CHANGE or the button's
  // BN_CLICKED (a click, Space, or Enter while it has the focus).
  void Bind(std::string_view control, std::function<void()> handler);
  // Runs `task` once the message being handled is done, from the window's own queue.
  void PostTask(std::function<void()> task);
  // Shows a failure report and returns once the user has acknowledged it. Unset, nothing is
  // shown, but what follows a report still follows.
  void OnFailureReport(std::function<void(const FailureReport&)> show);
  // Shows `report` once the message being handled is done, never in the middle of an edit; then
  // ends the program with a non-zero status, or gives the focus back to its box. Once a report
  // that ends the program is waiting, later ones are not shown.
  void ReportAfterThisMessage(FailureReport report) noexcept;
  void FocusBox(std::string_view box);
  // Tab, Shift+Tab and the button's keys, as a dialog has them; true when `message` was taken.
  bool TakeDialogMessage(MSG& message);
  [[nodiscard]] HWND Handle() const { return window_; }
  // Raises std::invalid_argument for a name that is none of the four text boxes.
  [[nodiscard]] HWND BoxHandle(std::string_view box) const { return TextBoxOrThrow(box).handle; }

  // Raises std::invalid_argument for a name that is none of the four text boxes. An EDIT
  // control cannot hold U+0000: the box shows it as its picture and reads it back, but shows
  // nothing to copy.
  [[nodiscard]] std::u16string ReadText(std::string_view box) const override;

  // What a screen reader reads of a text box, the same words the Qt window gives: its prompt as
  // name, its row's details (or the hint) as description, and its text as value, code 0 by the
  // name of its picture. Empty for a window that is none of the boxes.
  [[nodiscard]] std::u16string AccessibleNameOf(HWND box) const;
  [[nodiscard]] std::u16string AccessibleDescriptionOf(HWND box) const;
  [[nodiscard]] std::u16string AccessibleValueOf(HWND box) const;
  void ReplaceText(std::string_view box, std::u16string_view text) override;
  // The window of a text box or the button; nullptr for any other name, such as a label's.
  [[nodiscard]] HWND ControlHandle(std::string_view name) const;
  // Where a painted label is, in the window's client coordinates; empty for any other name.
  [[nodiscard]] RECT LabelPlace(std::string_view label) const;

 private:
  struct Control {
    std::string_view name;
    HWND handle = nullptr;
    int id = 0;
    bool holds_null = false;  // the handler wrote U+0000, which the EDIT shows as nothing
    std::function<void()> handler;
    BasicEditHistory<std::u16string> history;  // the user's edits, undone and redone here
    std::u16string last_text;                  // the text as the history last saw it
  };

  // An edit a box is about to make: where its selection stood, which tells where the edit was
  // once EN_CHANGE shows its result, and whether a keystroke makes it.
  struct PendingEdit {
    HWND box = nullptr;
    CursorAndAnchor place;
    bool keystroke = false;
  };

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK TextBoxProcedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR subclass, DWORD_PTR form);
  static LRESULT CALLBACK ButtonProcedure(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR subclass, DWORD_PTR form);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleBoxMessage(HWND box, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT AnswerBoxMessage(HWND box, UINT message, WPARAM wparam, LPARAM lparam);
  template <typename Answer>
  LRESULT AnswerReportingFailures(Answer&& answer) noexcept;
  void ShowWaitingReport() noexcept;
  void HandleCommand(int id, int code);
  // Records in the box's history what changed since it last looked, unless the program wrote it.
  void FollowEdit(Control& control);
  // Undoes the box's last edit, or redoes its last undone one; nothing when there is none.
  void StepHistory(HWND box, bool back);
  void Layout(UINT dpi);
  void ChooseFonts(HDC context);
  void AddCutCaptionTooltips(HDC context);
  void Paint();
  void PaintPicture(HWND box, std::uint8_t code) const;
  [[nodiscard]] const Control* ControlByHandle(HWND handle) const;
  [[nodiscard]] bool StepsCode(HWND box) const;
  void ShowContextMenu(HWND box, LPARAM where);
  void UpdateRowDetails(std::string_view output_box);
  void Announce(std::u16string_view message);
  [[nodiscard]] std::optional<std::uint8_t> PictureIn(HWND box) const;
  [[nodiscard]] Control* ControlById(int id);
  [[nodiscard]] Control* ControlByHandle(HWND handle);
  [[nodiscard]] const Control& TextBoxOrThrow(std::string_view name) const;
  [[nodiscard]] Control& TextBoxOrThrow(std::string_view name);
  [[nodiscard]] std::u16string TextOf(HWND control) const;

  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND announcer_ = nullptr;  // a screen reader's live region: read as it changes, never seen
  HWND focus_ = nullptr;      // restored when the window is activated again
  UINT dpi_ = 96;
  GdiFont window_font_;
  GdiFont banner_font_;
  std::vector<Control> controls_;              // the text boxes and the button
  const Control* replacing_ = nullptr;         // the box ReplaceText is writing
  const Control* stepping_history_ = nullptr;  // the box StepHistory is writing
  std::optional<PendingEdit> pending_edit_;
  std::deque<std::function<void()>> tasks_;
  std::function<void(const FailureReport&)> show_report_;
  std::deque<FailureReport> waiting_reports_;  // shown once the current message is done
  bool ending_ = false;                        // a report that ends the program is waiting
};

}  // namespace zentavo
