// Launches a program and reports how long its top-level window with a given caption took to
// become viewable, the CPU time the program had spent by then, and its peak resident memory once
// that window is up.
//   window_startup_probe CAPTION SETTLE_MS PROGRAM [ARGUMENT...]
// Prints "MILLISECONDS PEAK_KIB CPU_MILLISECONDS". Map events are subscribed to before the
// launch, so no polling interval blurs the moment.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

std::string WindowCaption(Display* display, Window window) {
  const Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::string caption;
  if (XGetWindowProperty(display, window, net_wm_name, 0, 1024, False, utf8, &type, &format, &items,
                         &remaining, &data) == Success &&
      data != nullptr) {
    caption.assign(reinterpret_cast<char*>(data), items);
    XFree(data);
    return caption;
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name != nullptr) {
    caption = name;
    XFree(name);
  }
  return caption;
}

long PeakResidentKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// The CPU time of every thread the program has now, in milliseconds, from the scheduler's own
// nanosecond count rather than the clock ticks of /proc/PID/stat, which are 10 ms apart.
double CpuMilliseconds(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  double total_ns = 0;
  if (DIR* folder = opendir(tasks.c_str())) {
    while (const dirent* task = readdir(folder)) {
      if (task->d_name[0] == '.') continue;
      std::ifstream schedstat(tasks + "/" + task->d_name + "/schedstat");
      double on_cpu_ns = 0;
      if (schedstat >> on_cpu_ns) total_ns += on_cpu_ns;
    }
    closedir(folder);
  }
  return total_ns / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: window_startup_probe CAPTION SETTLE_MS PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  const std::string wanted_caption = argv[1];
  const int settle_ms = std::atoi(argv[2]);

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "window_startup_probe: cannot open display\n");
    return 1;
  }
  // Without a window manager, top-level windows are children of the root: their maps arrive
  // as the root's substructure events.
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto launched = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[3], nullptr, nullptr, argv + 3, environ) != 0) {
    std::perror("window_startup_probe: posix_spawn");
    return 1;
  }

  bool shown = false;
  auto shown_at = launched;
  double cpu_ms = -1;
  const auto give_up = launched + std::chrono::seconds(20);
  while (!shown && std::chrono::steady_clock::now() < give_up) {
    if (XPending(display) == 0) {
      pollfd connection{ConnectionNumber(display), POLLIN, 0};
      poll(&connection, 1, 100);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && WindowCaption(display, event.xmap.window) == wanted_caption) {
      shown_at = std::chrono::steady_clock::now();
      cpu_ms = CpuMilliseconds(pid);
      shown = true;
    }
  }

  long peak_kib = -1;
  if (shown) {
    // Let the first paint and whatever follows the map finish before reading the peak.
    std::this_thread::sleep_for(std::chrono::milliseconds(settle_ms));
    peak_kib = PeakResidentKib(pid);
  }
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  XCloseDisplay(display);
  if (!shown) {
    std::fprintf(stderr, "window_startup_probe: no window captioned '%s'\n",
                 wanted_caption.c_str());
    return 1;
  }
  std::printf("%.3f %ld %.3f\n",
              std::chrono::duration<double, std::milli>(shown_at - launched).count(), peak_kib,
              cpu_ms);
  return 0;
}
