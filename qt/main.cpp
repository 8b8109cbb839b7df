#include <QApplication>

#include <chrono>

#include "form1.h"
#include "notification_bindings.h"
#include "toolkit_start.h"
#include "version.h"

namespace {

// The exit status when no display can be had; documented in the manual page.
constexpr int kNoDisplayStatus = 2;
// How long a display may hold the connection without answering.
constexpr std::chrono::seconds kDisplayPatience(10);

}  // namespace

int main(int argc, char* argv[]) {
  // Nothing in Zentavo is built on GLib, so Qt's own event dispatcher serves: setting up and
  // running GLib's main loop would cost start-up time and memory for nothing.
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");

  // The toolkit finds out whether it can open a display; where it cannot, the user is told in
  // one line what was tried and why, instead of the toolkit's abort or an endless wait.
  zentavo::ToolkitStart start(kNoDisplayStatus, kDisplayPatience);
  QApplication application(argc, argv);
  start.Made();
  QApplication::setOrganizationName(QStringLiteral("Tolvek"));
  QApplication::setApplicationName(QStringLiteral("Zentavo"));
  QApplication::setApplicationVersion(QStringLiteral(ZENTAVO_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("example.tolvek.Zentavo"));

  zentavo::Form1 form;
  zentavo::BindNotifications(form);
  form.Show();
  return QApplication::exec();
}
