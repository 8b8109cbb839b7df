// What a huge text costs in the real window, on Qt's offscreen platform: a paste of it into
// txtDeASCII until the window has answered, one undo and one redo of that paste, a keystroke
// with the text in the box, and the program's CPU while it idles with the focus in that box.
// Prints a table; the goals are checked by reading it, not by a test that fails on a slow
// machine.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "form1.h"
#include "notification_bindings.h"
#include "paint_watcher.h"

namespace {

using zentavo::bench::PaintWatcher;

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

long PeakResidentMib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

long ResidentMib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6)) / 1024;
  }
  return -1;
}

// Sends a key press and release, then runs the event loop until `watched` has repainted.
double MillisecondsUntilRepainted(QWidget* target, QWidget* watched, int key,
                                  Qt::KeyboardModifiers modifiers, const QString& text) {
  PaintWatcher watcher;
  watched->installEventFilter(&watcher);
  QElapsedTimer timer;
  timer.start();
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
  while (!watcher.painted && timer.elapsed() < 60'000) QApplication::processEvents();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double IdleCpuPercent(int milliseconds) {
  QElapsedTimer wall;
  const double cpu_before = ProcessCpuSeconds();
  wall.start();
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
  return 100.0 * (ProcessCpuSeconds() - cpu_before) /
         (static_cast<double>(wall.nsecsElapsed()) / 1e9);
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  zentavo::Form1 form;
  zentavo::BindNotifications(form);
  form.Show();
  form.activateWindow();
  QApplication::processEvents();
  QLineEdit* input = form.TextBox("txtDeASCII");
  QLineEdit* output = form.TextBox("txtParaCar");

  std::printf("%-8s %10s %10s %10s %12s %10s %12s %12s\n", "size", "paste ms", "undo ms", "redo ms",
              "keystroke ms", "idle CPU %", "RSS MiB", "peak RSS MiB");
  std::vector<qsizetype> sizes_kib = {64, 1024, 10 * 1024};
  if (argc > 1) {  // sizes in KiB, to look at one size alone (under a profiler, say)
    sizes_kib.clear();
    for (int i = 1; i < argc; ++i) sizes_kib.push_back(std::atoll(argv[i]));
  }
  for (const qsizetype kib : sizes_kib) {
    input->clear();
    output->clear();
    QApplication::processEvents();
    // "65" and spaces: a code the row answers, padded to the size, as the users pasted.
    // Made at its exact size, as a clipboard hands it over: a grown string would count against
    // the program.
    QString text(kib * 1024, u' ');
    text[0] = u'6';
    text[1] = u'5';
    QGuiApplication::clipboard()->setText(text);
    input->setFocus();

    const double paste =
        MillisecondsUntilRepainted(input, input, Qt::Key_V, Qt::ControlModifier, QString());
    const bool pasted = input->text().size() == text.size() && output->text() == u"A";
    const double undo =
        MillisecondsUntilRepainted(input, input, Qt::Key_Z, Qt::ControlModifier, QString());
    const bool undone = input->text().isEmpty();
    const double redo = MillisecondsUntilRepainted(
        input, input, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, QString());
    const bool redone = input->text().size() == text.size();
    input->end(false);
    const double keystroke = MillisecondsUntilRepainted(input, input, Qt::Key_Space, Qt::NoModifier,
                                                        QStringLiteral(" "));
    QApplication::processEvents();
    const double idle = IdleCpuPercent(4000);
    std::printf("%5lld KiB %10.1f %10.1f %10.1f %12.1f %10.1f %12ld %12ld%s\n",
                static_cast<long long>(kib), paste, undo, redo, keystroke, idle, ResidentMib(),
                PeakResidentMib(),
                pasted && undone && redone ? "" : "   (the box did not do what was asked)");
    std::fflush(stdout);
  }
  return 0;
}
