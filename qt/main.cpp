#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QLibraryInfo>

#include <cstdio>
#include <cstdlib>

#include "display_check.h"
#include "form1.h"
#include "notification_bindings.h"
#include "version.h"

namespace {

// The exit status when no display answers; documented in the manual page.
constexpr int kNoDisplayStatus = 2;

// Compared by hand rather than with a name filter, whose wildcard would bring in the regular
// expression engine for this one look.
bool WaylandPluginInstalled() {
  QDirIterator plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"),
                       QDir::Files);
  while (plugins.hasNext()) {
    const QString name = plugins.nextFileInfo().fileName();
    if (name.startsWith(QLatin1String("libqwayland")) && name.endsWith(QLatin1String(".so"))) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Nothing in Zentavo is built on GLib, so Qt's own event dispatcher serves: setting up and
  // running GLib's main loop would cost start-up time and memory for nothing.
  if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");

  // The toolkit aborts when it finds no display; the user is told what is missing instead.
  const zentavo::DisplayArguments arguments = zentavo::ReadDisplayArguments(argc, argv);
  zentavo::DisplayChoice display = zentavo::ChooseDisplay({
      .platform =
          arguments.platform != nullptr ? arguments.platform : std::getenv("QT_QPA_PLATFORM"),
      .wayland_display = std::getenv("WAYLAND_DISPLAY"),
      .wayland_socket = std::getenv("WAYLAND_SOCKET"),
      .runtime_dir = std::getenv("XDG_RUNTIME_DIR"),
      .x_display = arguments.x_display != nullptr ? arguments.x_display : std::getenv("DISPLAY"),
      .x_display_named_by = arguments.x_display != nullptr ? "-display" : "DISPLAY",
      .wayland_plugin_installed = &WaylandPluginInstalled,
  });
  if (display.platforms.empty()) {
    std::fprintf(stderr, "%s\n", display.problem.c_str());
    return kNoDisplayStatus;
  }
  // A platform named on the command line is the toolkit's to read there.
  if (arguments.platform == nullptr) {
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(display.platforms));
  }

  QApplication application(argc, argv);
  // The toolkit's own connection is made: the check's may go without the server resetting.
  display.held_x_connection.End();
  QApplication::setOrganizationName(QStringLiteral("Tolvek"));
  QApplication::setApplicationName(QStringLiteral("Zentavo"));
  QApplication::setApplicationVersion(QStringLiteral(ZENTAVO_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("example.tolvek.Zentavo"));

  zentavo::Form1 form;
  zentavo::BindNotifications(form);
  form.Show();
  return QApplication::exec();
}
