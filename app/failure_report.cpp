#include "app/failure_report.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QWidget>

#include <string>

#include "app/failure_texts.h"
#include "window/qt_text.h"

namespace zentavo {

FailureReport ReportConversionFailure(ConversionFailure::Kind kind, QStringView input) {
  // Only the quoted start of a long paste is copied.
  const QStringView quoted_part = input.left(failure_texts::kQuotedCharacters + 1);
  const std::u16string details = failure_texts::ConversionDetails(ToU16View(quoted_part));
  return {ToQString(failure_texts::ConversionSummary(kind)), ToQString(details), false};
}

FailureReport ReportUnexpectedFailure(const QString& what) {
  return {ToQString(failure_texts::kUnexpectedSummary),
          ToQString(failure_texts::UnexpectedDetails(ToU16View(what))), true};
}

void ShowFailureReport(QWidget* parent, const FailureReport& report) {
  QMessageBox box(report.program_must_end ? QMessageBox::Critical : QMessageBox::Warning,
                  parent != nullptr ? parent->windowTitle() : QString(), report.summary,
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  // The window's small font suits its tight layout; a message the user must read gets the
  // platform's own size (its engine loads only now, when a report is shown).
  box.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  box.setInformativeText(report.details);
  box.exec();
}

}  // namespace zentavo
