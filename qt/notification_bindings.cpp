#include "notification_bindings.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QString>

#include <cstdlib>
#include <optional>

#include "failure_policy.h"
#include "failure_report.h"
#include "form1.h"
#include "handler_bindings.h"

namespace zentavo {

void BindNotifications(Form1& form) {
  for (const ConversionBinding& binding : kConversionBindings) {
    QObject::connect(form.TextBox(binding.input_box), &QLineEdit::textChanged, &form,
                     [&form, binding] {
                       RunHandlerReportingFailures(form, binding.handler, binding.input_box);
                     });
  }
  QObject::connect(form.ExitButton(), &QPushButton::clicked, &ExitProgram);
}

void RunHandlerReportingFailures(Form1& form, void (*handler)(TextBoxAccess&),
                                 std::string_view input_box) noexcept {
  std::optional<FailureReport> report = RunHandler(handler, form, input_box);
  if (!report || !form.FailureReports().Admit(std::move(*report))) return;
  // The report waits until the handler is gone, with everything it took released, and until the
  // line edit has finished the edit that caused it: the report's own event loop must not run
  // while the toolkit is still inside the edit's notification.
  try {
    QMetaObject::invokeMethod(
        &form, [&form]() noexcept { ShowNextFailureReport(form); }, Qt::QueuedConnection);
  } catch (...) {
    std::abort();  // out of memory before the report could even be posted
  }
}

void ShowNextFailureReport(Form1& form) noexcept {
  try {
    const std::optional<FailureReport> report = form.FailureReports().Next();
    if (!report) return;
    ShowFailureReport(&form, *report);
    const AfterReport after = AfterAcknowledging(*report);
    if (after.exit_status) {
      QCoreApplication::exit(*after.exit_status);
      return;
    }
    // Where no window manager hands the focus back after the message box, take it.
    form.activateWindow();
    form.TextBox(after.focus_box)->setFocus(Qt::OtherFocusReason);
  } catch (...) {
    std::abort();  // not even the report could be shown: nothing is left to vouch for
  }
}

void ExitProgram() { QCoreApplication::exit(EXIT_SUCCESS); }

}  // namespace zentavo
