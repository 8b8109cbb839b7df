#include "app/notification_bindings.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QString>

#include <cstdlib>
#include <exception>
#include <optional>

#include "app/failure_report.h"
#include "conversion/control_names.h"
#include "conversion/conversion.h"
#include "conversion/handlers.h"
#include "window/form1.h"

namespace zentavo {

void BindNotifications(Form1& form) {
  QObject::connect(
      form.TextBox(control_names::kCodeInput), &QLineEdit::textChanged, &form, [&form] {
        RunHandlerReportingFailures(form, CodeToCharacterHandler, control_names::kCodeInput);
      });
  QObject::connect(
      form.TextBox(control_names::kCharacterInput), &QLineEdit::textChanged, &form, [&form] {
        RunHandlerReportingFailures(form, CharacterToCodeHandler, control_names::kCharacterInput);
      });
  QObject::connect(form.ExitButton(), &QPushButton::clicked, &ExitProgram);
}

void RunHandlerReportingFailures(Form1& form, void (*handler)(TextBoxAccess&),
                                 std::string_view input_box) noexcept {
  std::optional<ConversionFailure::Kind> conversion_failure;
  std::optional<QString> unexpected_failure;
  try {
    handler(form);
  } catch (const ConversionFailure& failure) {
    conversion_failure = failure.kind();
  } catch (const std::exception& failure) {
    unexpected_failure = QString::fromLocal8Bit(failure.what());
  } catch (...) {
    unexpected_failure = QStringLiteral("unknown failure");
  }
  if (!conversion_failure && !unexpected_failure) return;

  // The report waits until the handler is gone, with everything it took released, and until the
  // line edit has finished the edit that caused it: the report's own event loop must not run
  // while the toolkit is still inside the edit's notification.
  try {
    const QString input = form.TextBox(input_box)->text();
    QMetaObject::invokeMethod(
        &form,
        [&form, conversion_failure, unexpected_failure, input, input_box]() noexcept {
          try {
            if (conversion_failure) {
              ShowFailureReport(&form, ReportConversionFailure(*conversion_failure, input));
              // Where no window manager hands the focus back after the message box, take it.
              form.activateWindow();
              form.TextBox(input_box)->setFocus(Qt::OtherFocusReason);
            } else {
              ShowFailureReport(&form, ReportUnexpectedFailure(*unexpected_failure));
              QCoreApplication::exit(EXIT_FAILURE);
            }
          } catch (...) {
            std::abort();  // not even the report could be shown: nothing is left to vouch for
          }
        },
        Qt::QueuedConnection);
  } catch (...) {
    std::abort();  // out of memory before the report could even be posted
  }
}

void ExitProgram() { QCoreApplication::exit(EXIT_SUCCESS); }

}  // namespace zentavo
