// Google Benchmark main for benchmarks of the real window: Qt's offscreen platform, so that no
// display is needed and no window manager's work is timed.
#include <QApplication>
#include <QByteArray>

#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
