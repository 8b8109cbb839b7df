// Form1 on Windows' own toolkit: the same layout table, control names and character details as
// the Qt window, built as a window of one-line edit controls and a BUTTON, with its labels and
// lines painted.
// The window creates, lays out, paints and dispatches; its text boxes, rows' details and failure
// reports are rooms of their own.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "failure_report_win32.h"
#include "gdi_font.h"
#include "handlers.h"
#include "result_announcer_win32.h"
#include "row_details_win32.h"
#include "text_box_win32.h"

namespace zentavo {

class Form1Win32 final : public TextBoxAccess {
 public:
  // Builds the window and its controls, hidden, at the DPI of the primary monitor.
  explicit Form1Win32(HINSTANCE instance);
  Form1Win32(const Form1Win32&) = delete;
  Form1Win32& operator=(const Form1Win32&) = delete;
  ~Form1Win32() override;

  // The window object behind `window`; nullptr for any window that is not a Form1Win32's.
  [[nodiscard]] static const Form1Win32* FromHandle(HWND window);

  // Shows the window where Windows places new windows, with the focus in txtDeASCII.
  void Show(int show_command);

  // Runs `handler` on the control's notification: a text box's EN_CHANGE or the button's
  // BN_CLICKED (a click, Space, or Enter while it has the focus).
  void Bind(std::string_view control, std::function<void()> handler);
  // Shows a failure report and returns once the user has acknowledged it. Unset, nothing is
  // shown, but what follows a report still follows.
  void OnFailureReport(std::function<void(const FailureReport&)> show);
  // Shows `report` once the message being handled is done (FailureReportWin32).
  void ReportAfterThisMessage(FailureReport report) noexcept;
  void FocusBox(std::string_view box);
  // Opens the character finder; a code chosen there goes into txtDeASCII as the user's edit.
  void FindCharacter();
  // Tab, Shift+Tab and the button's keys, as a dialog has them; true when `message` was taken.
  bool TakeDialogMessage(MSG& message);
  [[nodiscard]] HWND Handle() const { return window_; }
  // Raises std::invalid_argument for a name that is none of the four text boxes.
  [[nodiscard]] HWND BoxHandle(std::string_view box) const { return BoxOrThrow(box).Handle(); }

  // Raises std::invalid_argument for a name that is none of the four text boxes.
  [[nodiscard]] std::u16string ReadText(std::string_view box) const override;
  [[nodiscard]] std::u16string ReadTextStart(std::string_view box,
                                             std::size_t characters) const override;
  void ReplaceText(std::string_view box, std::u16string_view text) override;

  // What a screen reader reads of a text box, the same words the Qt window gives: its prompt as
  // name, its row's details (or the hint) as description, and its text as value, code 0 by the
  // name of its picture. Empty for a window that is none of the boxes.
  [[nodiscard]] std::u16string AccessibleNameOf(HWND box) const;
  [[nodiscard]] std::u16string AccessibleDescriptionOf(HWND box) const;
  [[nodiscard]] std::u16string AccessibleValueOf(HWND box) const;
  // The window of a text box or the button; nullptr for any other name, such as a label's.
  [[nodiscard]] HWND ControlHandle(std::string_view name) const;
  // Where a painted label is, in the window's client coordinates; empty for any other name.
  [[nodiscard]] RECT LabelPlace(std::string_view label) const;

 private:
  static constexpr UINT kFinishStartMessage = WM_APP + 3;
  // The captions' tooltips and the announcer's route, once the window shows.
  void FinishStart();
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ButtonProcedure(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR subclass, DWORD_PTR form);
  void CreateControls(HINSTANCE instance);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void HandleCommand(int id, int code);
  void TextChanged(TextBoxWin32& box);
  void Layout(UINT dpi);
  void Paint();
  [[nodiscard]] TextBoxWin32* BoxById(int id);
  [[nodiscard]] const TextBoxWin32* BoxByHandle(HWND handle) const;
  [[nodiscard]] const TextBoxWin32& BoxOrThrow(std::string_view name) const;
  [[nodiscard]] TextBoxWin32& BoxOrThrow(std::string_view name);
  // The details of the row `box` is one of the two boxes of (accessibility::RowOfBox).
  [[nodiscard]] const RowDetailsWin32* RowDetailsOf(std::string_view box) const;

  HWND window_ = nullptr;
  HWND button_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND focus_ = nullptr;  // restored when the window is activated again
  UINT dpi_ = 96;
  GdiFont window_font_;
  GdiFont banner_font_;
  FailureReportWin32 failures_;
  std::vector<std::unique_ptr<TextBoxWin32>> boxes_;
  std::unique_ptr<ResultAnnouncerWin32> announcer_;
  bool started_ = false;  // FinishStart has run
  std::vector<RowDetailsWin32> rows_;
  std::map<std::string, std::function<void()>, std::less<>> handlers_;
};

}  // namespace zentavo
