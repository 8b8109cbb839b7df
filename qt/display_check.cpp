#include "display_check.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <charconv>
#include <cstddef>
#include <cstring>

namespace zentavo {
namespace {

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

// `abstract`: in Linux's abstract namespace, where X servers also listen and which needs no
// shared /tmp.
bool ConnectsToUnixSocket(const std::string& path, bool abstract = false) {
  sockaddr_un address{};
  const std::size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof(address.sun_path)) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + offset, path.c_str(), path.size() + 1);
  const auto length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);  // NUL or lead
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  close(fd);
  return connected;
}

bool ConnectsToTcp(const std::string& host, const std::string& port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return false;
  bool connected = false;
  for (const addrinfo* candidate = found; candidate != nullptr && !connected;
       candidate = candidate->ai_next) {
    const int fd =
        socket(candidate->ai_family, candidate->ai_socktype | SOCK_CLOEXEC, candidate->ai_protocol);
    if (fd < 0) continue;
    connected = connect(fd, candidate->ai_addr, candidate->ai_addrlen) == 0;
    close(fd);
  }
  freeaddrinfo(found);
  return connected;
}

// Why the Wayland display named cannot be used, or empty when it can.
std::string WaylandProblem(const DisplayEnvironment& environment) {
  const std::string name = environment.wayland_display;
  std::string socket_path = name;
  if (name.front() != '/') {
    if (!IsSet(environment.runtime_dir)) {
      return "WAYLAND_DISPLAY is " + name +
             " but XDG_RUNTIME_DIR, where its socket would be, "
             "is not set";
    }
    socket_path = std::string(environment.runtime_dir) + "/" + name;
  }
  if (!ConnectsToUnixSocket(socket_path)) return "no Wayland compositor answers at " + socket_path;
  if (environment.wayland_plugin_installed == nullptr || !environment.wayland_plugin_installed()) {
    return "a Wayland compositor answers at " + socket_path +
           " but the toolkit's Wayland support (package qt6-wayland) is not installed";
  }
  return {};
}

std::string XProblem(const char* display) {
  const std::string address = XServerAddress(display);
  if (address.empty()) return std::string("DISPLAY is ") + display + ", which names no X display";
  bool answers = false;
  if (address.front() == '/') {
    answers = ConnectsToUnixSocket(address, true) || ConnectsToUnixSocket(address);
  } else {
    const std::size_t colon = address.rfind(':');
    answers = ConnectsToTcp(address.substr(0, colon), address.substr(colon + 1));
  }
  if (answers) return {};
  return std::string("no X server answers at DISPLAY ") + display;
}

}  // namespace

std::string XServerAddress(std::string_view display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string_view::npos) return {};
  const std::string_view host = display.substr(0, colon);
  std::string_view number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));  // the screen does not choose the server
  unsigned server = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), server);
  if (error != std::errc() || end != number.data() + number.size() || number.empty() ||
      server > 59535) {
    return {};
  }
  if (host.empty() || host == "unix") return "/tmp/.X11-unix/X" + std::to_string(server);
  return std::string(host) + ":" + std::to_string(6000 + server);
}

DisplayChoice ChooseDisplay(const DisplayEnvironment& environment) {
  if (IsSet(environment.platform)) return {environment.platform, {}};
  DisplayChoice choice;
  std::string problems;
  const auto note = [&problems](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + problem;
  };
  if (IsSet(environment.wayland_display)) {
    if (const std::string problem = WaylandProblem(environment); problem.empty()) {
      choice.platforms = "wayland";
    } else {
      note(problem);
    }
  }
  if (IsSet(environment.x_display)) {
    if (const std::string problem = XProblem(environment.x_display); problem.empty()) {
      choice.platforms += choice.platforms.empty() ? "xcb" : ";xcb";
    } else {
      note(problem);
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
