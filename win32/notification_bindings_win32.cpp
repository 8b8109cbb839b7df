#include "notification_bindings_win32.h"

#include <windows.h>

#include <cstdlib>
#include <optional>
#include <utility>

#include "control_names.h"
#include "failure_policy.h"
#include "failure_report_win32.h"
#include "form1_win32.h"
#include "handlers.h"

namespace zentavo {

void BindNotifications(Form1Win32& form) {
  form.Bind(control_names::kCodeInput, [&form] {
    RunHandlerReportingFailures(form, CodeToCharacterHandler, control_names::kCodeInput);
  });
  form.Bind(control_names::kCharacterInput, [&form] {
    RunHandlerReportingFailures(form, CharacterToCodeHandler, control_names::kCharacterInput);
  });
  form.Bind(control_names::kExitButton, [] { PostQuitMessage(EXIT_SUCCESS); });
  form.OnFailureReport(
      [&form](const FailureReport& report) { ShowFailureReport(form.Handle(), report); });
}

void RunHandlerReportingFailures(Form1Win32& form, void (*handler)(TextBoxAccess&),
                                 std::string_view input_box) noexcept {
  if (std::optional<FailureReport> report = RunHandler(handler, form, input_box)) {
    form.ReportAfterThisMessage(std::move(*report));
  }
}

}  // namespace zentavo
