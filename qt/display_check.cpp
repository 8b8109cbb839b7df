#include "display_check.h"

#include <dlfcn.h>
#include <unistd.h>
#include <wayland-client-core.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

namespace zentavo {
namespace {

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

// Runs `ask` on a thread of its own and gives its answer, or nothing when it has not answered by
// `deadline`: a display that took the connection and never answers keeps that thread, which the
// program, ending at once, never waits for.
template <typename Ask>
auto AskedOnItsOwnThread(Ask ask) {
  using Answer = decltype(ask());
  auto promise = std::make_shared<std::promise<Answer>>();
  std::future<Answer> answer = promise->get_future();
  std::thread([promise, ask = std::move(ask)]() mutable { promise->set_value(ask()); }).detach();
  return answer;
}

// libwayland-client, loaded only where a Wayland display is named: on X11 the program never
// maps it, as the toolkit's own X11 platform does not.
struct WaylandClient {
  decltype(&wl_display_connect) connect = nullptr;
  decltype(&wl_display_roundtrip) roundtrip = nullptr;
  decltype(&wl_display_disconnect) disconnect = nullptr;
};

template <typename Function>
Function Symbol(void* library, const char* name) {
  return reinterpret_cast<Function>(dlsym(library, name));
}

std::optional<WaylandClient> LoadWaylandClient() {
  void* library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return std::nullopt;
  WaylandClient client{Symbol<decltype(&wl_display_connect)>(library, "wl_display_connect"),
                       Symbol<decltype(&wl_display_roundtrip)>(library, "wl_display_roundtrip"),
                       Symbol<decltype(&wl_display_disconnect)>(library, "wl_display_disconnect")};
  if (client.connect == nullptr || client.roundtrip == nullptr || client.disconnect == nullptr) {
    return std::nullopt;
  }
  return client;  // kept loaded: the toolkit's Wayland platform loads it again anyway
}

// Why a Wayland compositor at `socket` cannot be used; empty when it answered its first round
// trip.
std::string WaylandAnswer(const std::string& socket) {
  const std::optional<WaylandClient> client = LoadWaylandClient();
  if (!client) return "a Wayland display is named but libwayland-client is not installed";
  wl_display* display = client->connect(socket.c_str());
  if (display == nullptr) return "no Wayland compositor answers at " + socket;
  const bool answered = client->roundtrip(display) >= 0;
  client->disconnect(display);
  return answered ? std::string() : "the Wayland compositor at " + socket + " broke off";
}

// libxcb writes an X server's reason for refusing a connection to the standard error, and gives
// the program only that the connection failed: the reason is read from there.
class StandardErrorCapture {
 public:
  StandardErrorCapture() {
    if (pipe(ends_.data()) != 0) return;
    saved_ = dup(STDERR_FILENO);
    if (saved_ < 0 || dup2(ends_[1], STDERR_FILENO) < 0) return;
    capturing_ = true;
  }
  StandardErrorCapture(const StandardErrorCapture&) = delete;
  StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;
  ~StandardErrorCapture() { Restore(); }

  // What was written meanwhile; standard error is the program's own again.
  std::string Taken() {
    Restore();
    std::string taken;
    if (ends_[0] < 0) return taken;
    std::array<char, 512> chunk{};
    ssize_t read_now = 0;
    while ((read_now = read(ends_[0], chunk.data(), chunk.size())) > 0) {
      taken.append(chunk.data(), static_cast<std::size_t>(read_now));
    }
    close(ends_[0]);
    ends_[0] = -1;
    while (!taken.empty() && (taken.back() == '\n' || taken.back() == '\r')) taken.pop_back();
    return taken;
  }

 private:
  void Restore() {
    if (capturing_) dup2(saved_, STDERR_FILENO);
    capturing_ = false;
    if (saved_ >= 0) close(saved_);
    saved_ = -1;
    if (ends_[1] >= 0) close(ends_[1]);  // the reading end now sees the end of what was written
    ends_[1] = -1;
  }

  std::array<int, 2> ends_{-1, -1};
  int saved_ = -1;
  bool capturing_ = false;
};

// Whether the X server lets the program in, asked as the toolkit will ask it.
bool XServerLetsIn(const std::string& display) {
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool let_in = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return let_in;
}

std::string Within(std::chrono::milliseconds patience) {
  return " within " + std::to_string((patience.count() + 999) / 1000) + " s";
}

std::string XProblem(const char* display, std::chrono::steady_clock::time_point deadline,
                     std::chrono::milliseconds patience) {
  char* host = nullptr;
  int number = 0;
  int screen = 0;
  if (xcb_parse_display(display, &host, &number, &screen) == 0) {
    return std::string("DISPLAY is ") + display + ", which names no X display";
  }
  std::free(host);
  StandardErrorCapture reason;
  std::future<bool> answer =
      AskedOnItsOwnThread([name = std::string(display)] { return XServerLetsIn(name); });
  if (answer.wait_until(deadline) != std::future_status::ready) {
    reason.Taken();
    return std::string("the X server at DISPLAY ") + display +
           " took the connection but did not answer" + Within(patience);
  }
  const bool let_in = answer.get();
  const std::string refusal = reason.Taken();
  if (let_in) return {};
  if (!refusal.empty()) {
    return std::string("the X server at DISPLAY ") + display +
           " refused the connection: " + refusal;
  }
  return std::string("no X server answers at DISPLAY ") + display;
}

}  // namespace

DisplayChoice ChooseDisplay(const DisplayEnvironment& environment) {
  if (IsSet(environment.platform)) return {environment.platform, {}};
  const auto deadline = std::chrono::steady_clock::now() + environment.patience;
  std::string problems;
  const auto note = [&problems](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + problem;
  };
  // The compositor is asked first, and the X server meanwhile: each may make the other wait.
  std::string wayland_socket;
  std::future<std::string> wayland;
  if (IsSet(environment.wayland_display)) {
    wayland_socket = environment.wayland_display;
    if (wayland_socket.front() != '/') {
      if (IsSet(environment.runtime_dir)) {
        wayland_socket = std::string(environment.runtime_dir) + "/" + wayland_socket;
      } else {
        note(std::string("WAYLAND_DISPLAY is ") + environment.wayland_display +
             " but XDG_RUNTIME_DIR, where its socket would be, is not set");
        wayland_socket.clear();
      }
    }
    if (!wayland_socket.empty()) {
      wayland = AskedOnItsOwnThread([socket = wayland_socket] { return WaylandAnswer(socket); });
    }
  }
  const std::string x_problem =
      IsSet(environment.x_display) ? XProblem(environment.x_display, deadline, environment.patience)
                                   : std::string();

  DisplayChoice choice;
  if (wayland.valid()) {
    std::string problem = "the Wayland compositor at " + wayland_socket + " did not answer" +
                          Within(environment.patience);
    if (wayland.wait_until(deadline) == std::future_status::ready) problem = wayland.get();
    if (problem.empty() && (environment.wayland_plugin_installed == nullptr ||
                            !environment.wayland_plugin_installed())) {
      problem = "a Wayland compositor answers at " + wayland_socket +
                " but the toolkit's Wayland support (package qt6-wayland) is not installed";
    }
    if (problem.empty()) {
      choice.platforms = "wayland";
    } else {
      note(problem);
    }
  }
  if (IsSet(environment.x_display)) {
    if (x_problem.empty()) {
      choice.platforms += choice.platforms.empty() ? "xcb" : ";xcb";
    } else {
      note(x_problem);
    }
  }
  if (!choice.platforms.empty()) return choice;
  if (!IsSet(environment.wayland_display) && !IsSet(environment.x_display)) {
    note("neither WAYLAND_DISPLAY nor DISPLAY is set");
  }
  choice.problem = "zentavo: no display to open the window on: " + problems + ".";
  return choice;
}

}  // namespace zentavo
