// Zentavo.exe's failure reports: each shown in a message box once the message that failed is
// done, in English and Portuguese like the window.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string_view>
#include <utility>

#include "failure_policy.h"

namespace zentavo {

// Shows `report` in a modal message box over `owner` and returns once the user has acknowledged
// it: a warning for a failure the program goes on after, an error for one it ends on.
void ShowFailureReport(HWND owner, const FailureReport& report);

class FailureReportWin32 {
 public:
  // The message the window is sent to show the next report; it calls ShowWaitingReport.
  static constexpr UINT kShowReportMessage = WM_APP + 2;

  // `window` is sent kShowReportMessage; until it is set, a report waits without being posted.
  void SetWindow(HWND window) { window_ = window; }
  // Shows a report and returns once the user has acknowledged it. Unset, nothing is shown, but
  // what follows a report still follows.
  void OnShow(std::function<void(const FailureReport&)> show) { show_ = std::move(show); }
  // Gives the focus back to a box after a report the program goes on after.
  void OnFocusBox(std::function<void(std::string_view)> focus) { focus_box_ = std::move(focus); }

  // Shows `report` once the message being handled is done, never in the middle of an edit; then
  // ends the program with a non-zero status, or gives the focus back to its box.
  void ReportAfterThisMessage(FailureReport report) noexcept;
  void ShowWaitingReport() noexcept;

  // No exception may cross into Windows' own frames: whatever escapes `answer` is reported once
  // the message is done, and the program ends.
  template <typename Answer>
  LRESULT AnswerReportingFailures(Answer&& answer) noexcept {
    try {
      return std::forward<Answer>(answer)();
    } catch (...) {
      ReportAfterThisMessage(EscapedFailureReport(std::current_exception()));
    }
    return 0;
  }

 private:
  HWND window_ = nullptr;
  FailureReportQueue waiting_;
  std::function<void(const FailureReport&)> show_;
  std::function<void(std::string_view)> focus_box_;
};

}  // namespace zentavo
