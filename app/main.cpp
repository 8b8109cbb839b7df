#include <QApplication>
#include <QByteArray>

#include "app/notification_bindings.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
  // Nothing in Zentavo is built on GLib, so Qt's own event dispatcher serves: setting up and
  // running GLib's main loop would cost start-up time and memory for nothing.
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");

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
