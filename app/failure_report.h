// What the user is told when a handler fails, in English and Portuguese like the window.
#pragma once

#include <QString>
#include <QStringView>

#include "conversion/conversion.h"

class QWidget;

namespace zentavo {

struct FailureReport {
  QString summary;  // names the failure
  QString details;  // what was typed and what is allowed, or what went wrong
  bool program_must_end = false;
};

// A conversion failure comes from what the user typed: the program goes on after it.
[[nodiscard]] FailureReport ReportConversionFailure(ConversionFailure::Kind kind,
                                                    QStringView input);

// Anything else leaves the program in a state it cannot vouch for, so the program ends.
[[nodiscard]] FailureReport ReportUnexpectedFailure(const QString& what);

// Shows the report in a modal message box and returns once the user has acknowledged it.
void ShowFailureReport(QWidget* parent, const FailureReport& report);

}  // namespace zentavo
