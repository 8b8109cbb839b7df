#include "display_check.h"

#include <poll.h>
#include <sys/stat.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace zentavo {
namespace {

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

enum class Server { kNone, kX, kWayland };

// What a toolkit platform, as QT_QPA_PLATFORM names it ("xcb:option"), needs to show a window.
Server ServerFor(std::string_view platform) {
  const std::string_view name = platform.substr(0, platform.find(':'));
  if (name == "xcb") return Server::kX;
  if (name.starts_with("wayland")) return Server::kWayland;
  return Server::kNone;
}

std::vector<std::string> PlatformsIn(std::string_view list) {
  std::vector<std::string> platforms;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(';'), list.size());
    if (end > 0) platforms.emplace_back(list.substr(0, end));
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return platforms;
}

std::string Within(std::chrono::milliseconds patience) {
  return " within " + std::to_string((patience.count() + 999) / 1000) + " s";
}

enum class State { kWaiting, kUsable, kFailed };

// One platform the toolkit will try, and what is known of its display.
struct Candidate {
  std::string platform;
  Server server = Server::kNone;
  DisplayProbe probe;
  bool handed_over = false;  // usable without asking
  std::string problem;       // known to fail, and why
  std::string unanswered;    // the problem once the time is up
  std::string unsupported;   // the problem when the toolkit's Wayland support is missing
  State state = State::kWaiting;
};

// libwayland takes WAYLAND_SOCKET, when set at all, before any name: a descriptor number it
// reads as it does, and that must be an open socket.
std::string HandedOverSocketProblem(const char* wayland_socket) {
  std::string problem =
      std::string("WAYLAND_SOCKET is \"") + wayland_socket + "\", which names no open socket";
  char* end = nullptr;
  errno = 0;
  const long descriptor = std::strtol(wayland_socket, &end, 10);
  if (errno != 0 || end == wayland_socket || *end != '\0' || descriptor < 0 ||
      descriptor > INT32_MAX) {
    return problem;
  }
  struct stat status {};
  if (fstat(static_cast<int>(descriptor), &status) != 0 || !S_ISSOCK(status.st_mode)) {
    return problem;
  }
  return {};
}

Candidate WaylandCandidate(const DisplayEnvironment& environment, std::string platform) {
  Candidate candidate;
  candidate.platform = std::move(platform);
  candidate.server = Server::kWayland;
  if (environment.wayland_socket != nullptr) {
    candidate.problem = HandedOverSocketProblem(environment.wayland_socket);
    candidate.handed_over = candidate.problem.empty();
    candidate.unsupported = "a Wayland connection is handed over in WAYLAND_SOCKET";
    return candidate;
  }
  // Without a name, libwayland looks for wayland-0, as the toolkit's own platform then does.
  const bool named = IsSet(environment.wayland_display);
  std::string socket = named ? environment.wayland_display : "wayland-0";
  if (socket.front() != '/') {
    if (!IsSet(environment.runtime_dir)) {
      candidate.problem = (named ? "WAYLAND_DISPLAY is " + socket
                                 : "the Wayland display is " + socket + " by default") +
                          " but XDG_RUNTIME_DIR, where its socket would be, is not set";
      return candidate;
    }
    socket = std::string(environment.runtime_dir) + "/" + socket;
  }
  candidate.unanswered =
      "the Wayland compositor at " + socket + " did not answer" + Within(environment.patience);
  candidate.unsupported = "a Wayland compositor answers at " + socket;
  candidate.probe = DisplayProbe::AskWayland(socket);
  return candidate;
}

Candidate XCandidate(const DisplayEnvironment& environment, std::string platform) {
  Candidate candidate;
  candidate.platform = std::move(platform);
  candidate.server = Server::kX;
  const std::string named_by = environment.x_display_named_by;
  if (!IsSet(environment.x_display)) {
    candidate.problem = "the platform " + candidate.platform + " needs an X display, but " +
                        named_by + " is not set";
    return candidate;
  }
  const std::string display = environment.x_display;
  char* host = nullptr;
  int number = 0;
  int screen = 0;
  if (xcb_parse_display(display.c_str(), &host, &number, &screen) == 0) {
    candidate.problem = named_by + " is " + display + ", which names no X display";
    return candidate;
  }
  std::free(host);
  candidate.unanswered = "the X server at " + named_by + " " + display +
                         " took the connection but did not answer" + Within(environment.patience);
  candidate.probe = DisplayProbe::AskX(display, named_by);
  return candidate;
}

void Update(Candidate& candidate, const DisplayEnvironment& environment) {
  if (candidate.state != State::kWaiting) return;
  if (!candidate.problem.empty()) {
    candidate.state = State::kFailed;
    return;
  }
  if (!candidate.handed_over && !candidate.probe.Answered()) return;
  candidate.problem = candidate.probe.Problem();
  if (candidate.problem.empty() && candidate.server == Server::kWayland &&
      (environment.wayland_plugin_installed == nullptr ||
       !environment.wayland_plugin_installed())) {
    candidate.problem = candidate.unsupported +
                        " but the toolkit's Wayland support (package qt6-wayland) is not installed";
  }
  candidate.state = candidate.problem.empty() ? State::kUsable : State::kFailed;
}

// Whether the toolkit's pick is known: the first platform in order that has not failed has
// answered, or every one has failed.
bool Settled(const std::vector<Candidate>& candidates) {
  const auto first = std::find_if(candidates.begin(), candidates.end(),
                                  [](const Candidate& c) { return c.state != State::kFailed; });
  return first == candidates.end() || first->state == State::kUsable;
}

void AwaitAnswers(std::vector<Candidate>& candidates, const DisplayEnvironment& environment) {
  const auto deadline = std::chrono::steady_clock::now() + environment.patience;
  for (;;) {
    for (Candidate& candidate : candidates) Update(candidate, environment);
    if (Settled(candidates)) return;
    std::vector<pollfd> waiting;
    std::vector<Candidate*> owners;
    for (Candidate& candidate : candidates) {
      if (candidate.state != State::kWaiting || candidate.probe.AnswerDescriptor() < 0) continue;
      waiting.push_back({.fd = candidate.probe.AnswerDescriptor(), .events = POLLIN, .revents = 0});
      owners.push_back(&candidate);
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (waiting.empty() || left.count() <= 0) return;
    if (poll(waiting.data(), waiting.size(), static_cast<int>(left.count())) < 0 &&
        errno != EINTR) {
      return;
    }
    for (std::size_t i = 0; i < waiting.size(); ++i) {
      if (waiting[i].revents != 0) owners[i]->probe.ReadAnswer();
    }
  }
}

// The platforms the toolkit will try, in its order, each with its display asked.
std::vector<Candidate> Candidates(const DisplayEnvironment& environment) {
  std::vector<Candidate> candidates;
  if (IsSet(environment.platform)) {
    for (std::string& platform : PlatformsIn(environment.platform)) {
      const Server server = ServerFor(platform);
      if (server == Server::kWayland) {
        candidates.push_back(WaylandCandidate(environment, std::move(platform)));
      } else if (server == Server::kX) {
        candidates.push_back(XCandidate(environment, std::move(platform)));
      }
    }
    return candidates;
  }
  if (environment.wayland_socket != nullptr || IsSet(environment.wayland_display)) {
    candidates.push_back(WaylandCandidate(environment, "wayland"));
  }
  if (IsSet(environment.x_display)) candidates.push_back(XCandidate(environment, "xcb"));
  return candidates;
}

}  // namespace

DisplayArguments ReadDisplayArguments(int argc, const char* const* argv) {
  DisplayArguments arguments;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == nullptr) continue;
    std::string_view argument = argv[i];
    if (argument.starts_with("--")) argument.remove_prefix(1);
    const char** value = argument == "-platform"  ? &arguments.platform
                         : argument == "-display" ? &arguments.x_display
                                                  : nullptr;
    if (value != nullptr && i + 1 < argc) *value = argv[++i];
  }
  return arguments;
}

DisplayChoice ChooseDisplay(const DisplayEnvironment& environment) {
  DisplayChoice choice;
  const bool users_own = IsSet(environment.platform);
  if (users_own) {
    const std::vector<std::string> platforms = PlatformsIn(environment.platform);
    const bool needs_no_display = std::any_of(
        platforms.begin(), platforms.end(),
        [](const std::string& platform) { return ServerFor(platform) == Server::kNone; });
    if (needs_no_display) return {environment.platform, {}, {}};
  }
  std::vector<Candidate> candidates = Candidates(environment);
  AwaitAnswers(candidates, environment);

  std::string problems;
  for (Candidate& candidate : candidates) {
    if (candidate.state == State::kWaiting) {
      candidate.state = State::kFailed;
      candidate.problem = candidate.unanswered;
    }
    if (candidate.state == State::kFailed) {
      problems += (problems.empty() ? "" : "; ") + candidate.problem;
      continue;
    }
    choice.platforms += (choice.platforms.empty() ? "" : ";") + candidate.platform;
    if (candidate.server == Server::kX && !choice.held_x_connection.Answered()) {
      choice.held_x_connection = std::move(candidate.probe);
    }
  }
  if (!choice.platforms.empty()) {
    if (users_own) choice.platforms = environment.platform;
    return choice;
  }
  if (candidates.empty()) problems = "neither WAYLAND_DISPLAY nor DISPLAY is set";
  choice.problem = "zentavo: no display to open the window on: " + problems + ".";
  return choice;
}

}  // namespace zentavo
