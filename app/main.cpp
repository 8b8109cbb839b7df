#include <QApplication>

#include "app/notification_bindings.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Tolvek"));
  QApplication::setApplicationName(QStringLiteral("Zentavo"));
  QApplication::setApplicationVersion(QStringLiteral("1.00"));
  QApplication::setDesktopFileName(QStringLiteral("example.tolvek.Zentavo"));

  zentavo::Form1 form;
  zentavo::BindNotifications(form);
  form.Show();
  return QApplication::exec();
}
