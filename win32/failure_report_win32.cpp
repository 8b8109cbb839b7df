#include "failure_report_win32.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "layout_table.h"
#include "window_text.h"

namespace zentavo {

void ShowFailureReport(HWND owner, const FailureReport& report) {
  const std::u16string text = report.summary + u"\n\n" + report.details;
  const std::u16string caption(layout::kLayoutTable.window.caption);
  MessageBoxW(owner, Wide(text), Wide(caption),
              MB_OK | (IconOf(report) == ReportIcon::Error ? MB_ICONERROR : MB_ICONWARNING));
}

void FailureReportWin32::ReportAfterThisMessage(FailureReport report) noexcept {
  if (waiting_.Admit(std::move(report)) && window_ != nullptr) {
    PostMessageW(window_, kShowReportMessage, 0, 0);
  }
}

void FailureReportWin32::ShowWaitingReport() noexcept {
  try {
    const std::optional<FailureReport> report = waiting_.Next();
    if (!report) return;
    if (show_) show_(*report);
    const AfterReport after = AfterAcknowledging(*report);
    if (after.exit_status) {
      PostQuitMessage(*after.exit_status);
    } else if (focus_box_) {
      focus_box_(after.focus_box);
    }
  } catch (...) {
    std::abort();  // not even the report could be shown: nothing is left to vouch for
  }
}

}  // namespace zentavo
