#include "notification_bindings_win32.h"

#include <windows.h>

#include <cstdlib>
#include <optional>
#include <utility>

#include "failure_policy.h"
#include "failure_report_win32.h"
#include "form1_win32.h"
#include "handler_bindings.h"

namespace zentavo {

void BindNotifications(Form1Win32& form) {
  for (const ConversionBinding& binding : kConversionBindings) {
    form.Bind(binding.input_box, [&form, binding] {
      RunHandlerReportingFailures(form, binding.handler, binding.input_box);
    });
  }
  form.Bind(kExitControl, [] { PostQuitMessage(EXIT_SUCCESS); });
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
