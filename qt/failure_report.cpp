#include "failure_report.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QWidget>

#include <memory>

#include "qt_text.h"

namespace zentavo {

void ShowFailureReport(QWidget* parent, const FailureReport& report) {
  // One message box per window, made at the first report and shown again for each after it. A box
  // made anew renders its icon anew, and the toolkit keeps every rendering in its pixmap cache:
  // over a long session, up to the cache's 10 MiB of the same icon.
  static const QString kName = QStringLiteral("failureReport");
  QMessageBox* box = parent != nullptr
                         ? parent->findChild<QMessageBox*>(kName, Qt::FindDirectChildrenOnly)
                         : nullptr;
  std::unique_ptr<QMessageBox> without_window;
  if (box == nullptr) {
    box = new QMessageBox(parent);
    if (parent == nullptr) without_window.reset(box);
    box->setObjectName(kName);
    box->setWindowTitle(parent != nullptr ? parent->windowTitle() : QString());
    box->setStandardButtons(QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    // The window's small font suits its tight layout; a message the user must read gets the
    // platform's own size (its engine loads only now, when a report is shown).
    box->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  }
  const QMessageBox::Icon icon =
      IconOf(report) == ReportIcon::Error ? QMessageBox::Critical : QMessageBox::Warning;
  if (box->icon() != icon) box->setIcon(icon);
  box->setText(ToQString(report.summary));
  box->setInformativeText(ToQString(report.details));
  box->exec();
}

}  // namespace zentavo
