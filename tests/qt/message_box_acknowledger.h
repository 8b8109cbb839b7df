// Acknowledges every modal message box as soon as it shows, keeping what it said, so tests
// can drive code paths that report failures in a message box.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace zentavo::testing_support {

class MessageBoxAcknowledger {
 public:
  MessageBoxAcknowledger() {
    timer_.callOnTimeout([this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        reports.push_back(box->text() + '\n' + box->informativeText());
        box->button(QMessageBox::Ok)->click();
      }
    });
    timer_.start(1);
  }

  QStringList reports;

 private:
  QTimer timer_;
};

}  // namespace zentavo::testing_support
