// Saves what an X11 window shows on screen as a PNG file.
//   grab_window_picture WINDOW_ID FILE.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: grab_window_picture WINDOW_ID FILE.png\n");
    return 2;
  }
  bool is_number = false;
  const WId window = QString::fromLocal8Bit(argv[1]).toULongLong(&is_number, 0);
  const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
  if (!is_number || picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "grab_window_picture: could not save window %s\n", argv[1]);
    return 1;
  }
  return 0;
}
