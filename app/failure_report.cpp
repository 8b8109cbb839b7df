#include "app/failure_report.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QWidget>

namespace zentavo {
namespace {

// A pasted text can be a megabyte long; the report quotes only its start.
constexpr qsizetype kQuotedCharacters = 40;

QString Quote(QStringView input) {
  if (input.size() <= kQuotedCharacters) return QStringLiteral("\u201C%1\u201D").arg(input);
  return QStringLiteral("\u201C%1\u2026\u201D").arg(input.left(kQuotedCharacters));
}

}  // namespace

FailureReport ReportConversionFailure(ConversionFailure::Kind kind, QStringView input) {
  const QString summary = kind == ConversionFailure::Kind::Overflow
                              ? QStringLiteral("Overflow / Estouro")
                              : QStringLiteral("Invalid argument / Argumento inv\u00E1lido");
  const QString quoted = Quote(input);
  const QString details =
      QStringLiteral(
          "%1 is no character code: type a code from 0 to 255.\n"
          "%1 n\u00E3o \u00E9 um c\u00F3digo de caractere: escreva um c\u00F3digo "
          "de 0 a 255.")
          .arg(quoted);
  return {summary, details, false};
}

FailureReport ReportUnexpectedFailure(const QString& what) {
  return {QStringLiteral("Unexpected failure / Falha inesperada"),
          QStringLiteral("%1\n\nZentavo must close. / O Zentavo precisa fechar.").arg(what), true};
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
