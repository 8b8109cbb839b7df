#include "notification_bindings_win32.h"

#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "control_names.h"
#include "failure_policy.h"
#include "form1_win32.h"
#include "handlers.h"
#include "layout_table.h"

namespace zentavo {
namespace {

void ShowReport(HWND owner, const FailureReport& report) {
  const std::u16string text = report.summary + u"\n\n" + report.details;
  const std::u16string caption(layout::kLayoutTable.window.caption);
  MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text.c_str()),
              reinterpret_cast<const wchar_t*>(caption.c_str()),
              MB_OK | (report.program_must_end ? MB_ICONERROR : MB_ICONWARNING));
}

}  // namespace

void BindNotifications(Form1Win32& form) {
  form.Bind(control_names::kCodeInput, [&form] {
    RunHandlerReportingFailures(form, CodeToCharacterHandler, control_names::kCodeInput);
  });
  form.Bind(control_names::kCharacterInput, [&form] {
    RunHandlerReportingFailures(form, CharacterToCodeHandler, control_names::kCharacterInput);
  });
  form.Bind(control_names::kExitButton, [] { PostQuitMessage(EXIT_SUCCESS); });
  form.OnFailureReport([&form](const FailureReport& report) { ShowReport(form.Handle(), report); });
}

void RunHandlerReportingFailures(Form1Win32& form, void (*handler)(TextBoxAccess&),
                                 std::string_view input_box) noexcept {
  if (std::optional<FailureReport> report = RunHandler(handler, form, input_box)) {
    form.ReportAfterThisMessage(std::move(*report));
  }
}

}  // namespace zentavo
