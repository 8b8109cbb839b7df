#include "display_probes.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wayland-client-core.h>
#include <xcb/xcb.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <tuple>
#include <utility>

namespace zentavo {
namespace {

// The answer's first byte: the rest is the problem, if any.
constexpr char kLetIn = '+';
constexpr char kProblem = '-';
constexpr std::size_t kLongestReason = 240;

void WriteAll(int descriptor, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t now = write(descriptor, text.data() + written, text.size() - written);
    if (now < 0 && errno == EINTR) continue;
    if (now <= 0) return;
    written += static_cast<std::size_t>(now);
  }
}

std::string Answer(const std::string& problem) {
  return problem.empty() ? std::string(1, kLetIn) : kProblem + problem;
}

// Everything already in a pipe whose ends do not block.
std::string Drained(int descriptor) {
  std::string drained;
  std::array<char, 512> chunk{};
  ssize_t now = 0;
  while ((now = read(descriptor, chunk.data(), chunk.size())) > 0) {
    drained.append(chunk.data(), static_cast<std::size_t>(now));
  }
  return drained;
}

// Room for one descriptor carried beside a message on a Unix socket.
struct alignas(cmsghdr) DescriptorRoom {
  std::array<char, CMSG_SPACE(sizeof(int))> bytes{};
};

msghdr MessageOf(iovec& data, DescriptorRoom& control) {
  msghdr message{};
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  message.msg_control = control.bytes.data();
  message.msg_controllen = control.bytes.size();
  return message;
}

// Runs `ask(answer_descriptor)` in a child process, which never returns into the program. The
// answer comes back on a socket, which can carry the child's connection along with it.
template <typename Ask>
std::pair<pid_t, int> StartChild(Ask ask) {
  std::array<int, 2> ends{-1, -1};
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) return {-1, -1};
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child == 0) {
    close(ends[0]);
    // A child left waiting on a silent server goes with the program, however the program ends.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == parent) {
      try {
        ask(ends[1]);
      } catch (...) {  // nothing may unwind into the program's copy of itself
      }
    }
    _exit(0);
  }
  const int fork_error = errno;
  close(ends[1]);
  if (child < 0) {
    close(ends[0]);
    errno = fork_error;
    return {-1, -1};
  }
  return {child, ends[0]};
}

void AskXInChild(const std::string& display, const std::string& named_by, int answer) {
  // libxcb tells only that the connection failed, and writes the server's reason to the
  // standard error: in this child, that is a pipe of its own, which never blocks the write of
  // a reason longer than the pipe holds.
  std::array<int, 2> reason{-1, -1};
  if (pipe2(reason.data(), O_NONBLOCK) == 0) dup2(reason[1], STDERR_FILENO);
  int screen = 0;
  xcb_connection_t* connection = xcb_connect(display.c_str(), &screen);
  const std::string where = "the X server at " + named_by + " " + display;
  // Xlib, under the toolkit, refuses a screen number the server lacks. libxcb says so as an
  // error of its own; the count is checked too, for a libxcb that lets it through.
  const int error = xcb_connection_has_error(connection);
  const bool no_such_screen =
      error == XCB_CONN_CLOSED_INVALID_SCREEN ||
      (error == 0 && screen >= xcb_setup_roots_length(xcb_get_setup(connection)));
  std::string problem;
  if (no_such_screen) {
    problem = where + " has no screen " + std::to_string(screen);
  } else if (error != 0) {
    const std::string said = OneLineReason(Drained(reason[0]));
    problem = said.empty() ? "no X server answers at " + named_by + " " + display
                           : where + " refused the connection: " + said;
  }
  if (!problem.empty()) {
    WriteAll(answer, Answer(problem));
    return;
  }
  // The connection itself goes to the program, which holds it while the toolkit connects; this
  // child ends at once, rather than share the program's memory page by page as it starts.
  int connection_descriptor = xcb_get_file_descriptor(connection);
  char let_in = kLetIn;
  iovec byte{.iov_base = &let_in, .iov_len = 1};
  DescriptorRoom control{};
  msghdr message = MessageOf(byte, control);
  cmsghdr* carried = CMSG_FIRSTHDR(&message);
  carried->cmsg_level = SOL_SOCKET;
  carried->cmsg_type = SCM_RIGHTS;
  carried->cmsg_len = CMSG_LEN(sizeof(int));
  std::memcpy(CMSG_DATA(carried), &connection_descriptor, sizeof(int));
  while (sendmsg(answer, &message, MSG_NOSIGNAL) < 0 && errno == EINTR) {
  }
}

// libwayland-client, loaded only in the child that asks a compositor: on X11 the program never
// maps it, as the toolkit's own X11 platform does not.
std::string WaylandProblem(const std::string& socket) {
  void* library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr)
    return "a Wayland display is named but libwayland-client is not installed";
  const auto connect =
      reinterpret_cast<decltype(&wl_display_connect)>(dlsym(library, "wl_display_connect"));
  const auto roundtrip =
      reinterpret_cast<decltype(&wl_display_roundtrip)>(dlsym(library, "wl_display_roundtrip"));
  if (connect == nullptr || roundtrip == nullptr) {
    return "a Wayland display is named but libwayland-client lacks what the toolkit needs";
  }
  wl_display* display = connect(socket.c_str());
  if (display == nullptr) return "no Wayland compositor answers at " + socket;
  // The child's end closes the connection; a compositor outlives its clients.
  return roundtrip(display) >= 0 ? std::string()
                                 : "the Wayland compositor at " + socket + " broke off";
}

void AskWaylandInChild(const std::string& socket, int answer) {
  // libwayland reports a broken connection on the standard error, which is the program's.
  const int nowhere = open("/dev/null", O_WRONLY);
  if (nowhere >= 0) dup2(nowhere, STDERR_FILENO);
  WriteAll(answer, Answer(WaylandProblem(socket)));
}

}  // namespace

std::string OneLineReason(const std::string& reason) {
  std::string line;
  for (const char byte : reason) {
    const auto unit = static_cast<unsigned char>(byte);
    const bool blank = unit < 0x20 || unit == 0x7F;
    if (blank && (line.empty() || line.back() == ' ')) continue;
    line += blank ? ' ' : byte;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  if (line.size() <= kLongestReason) return line;
  std::size_t cut = kLongestReason;
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
  return line.substr(0, cut) + "…";
}

DisplayProbe DisplayProbe::AskX(const std::string& display, const std::string& named_by) {
  DisplayProbe probe;
  std::tie(probe.child_, probe.answer_) =
      StartChild([&](int answer) { AskXInChild(display, named_by, answer); });
  if (probe.child_ < 0) {
    probe.answered_ = true;
    probe.problem_ = "the X server at " + named_by + " " + display +
                     " could not be asked: " + std::strerror(errno);
  }
  return probe;
}

DisplayProbe DisplayProbe::AskWayland(const std::string& socket) {
  DisplayProbe probe;
  std::tie(probe.child_, probe.answer_) =
      StartChild([&](int answer) { AskWaylandInChild(socket, answer); });
  if (probe.child_ < 0) {
    probe.answered_ = true;
    probe.problem_ =
        "the Wayland compositor at " + socket + " could not be asked: " + std::strerror(errno);
  }
  return probe;
}

DisplayProbe::DisplayProbe(DisplayProbe&& other) noexcept
    : child_(std::exchange(other.child_, -1)),
      answer_(std::exchange(other.answer_, -1)),
      held_(std::exchange(other.held_, -1)),
      answered_(other.answered_),
      received_(std::move(other.received_)),
      problem_(std::move(other.problem_)) {}

DisplayProbe& DisplayProbe::operator=(DisplayProbe&& other) noexcept {
  if (this != &other) {
    End();
    child_ = std::exchange(other.child_, -1);
    answer_ = std::exchange(other.answer_, -1);
    held_ = std::exchange(other.held_, -1);
    answered_ = other.answered_;
    received_ = std::move(other.received_);
    problem_ = std::move(other.problem_);
  }
  return *this;
}

void DisplayProbe::ReadAnswer() {
  if (answer_ < 0) return;
  std::array<char, 512> chunk{};
  iovec into{.iov_base = chunk.data(), .iov_len = chunk.size()};
  DescriptorRoom control{};
  msghdr message = MessageOf(into, control);
  const ssize_t now = recvmsg(answer_, &message, MSG_CMSG_CLOEXEC);
  if (now < 0 && (errno == EINTR || errno == EAGAIN)) return;
  for (cmsghdr* carried = CMSG_FIRSTHDR(&message); carried != nullptr;
       carried = CMSG_NXTHDR(&message, carried)) {
    if (carried->cmsg_level != SOL_SOCKET || carried->cmsg_type != SCM_RIGHTS) continue;
    if (held_ >= 0) close(held_);
    std::memcpy(&held_, CMSG_DATA(carried), sizeof(int));
  }
  if (now > 0) {
    received_.append(chunk.data(), static_cast<std::size_t>(now));
    return;
  }
  close(answer_);
  answer_ = -1;
  answered_ = true;
  if (!received_.empty() && received_.front() == kLetIn) return;
  problem_ = !received_.empty() && received_.front() == kProblem
                 ? received_.substr(1)
                 : std::string("the check of the display ended without an answer");
}

void DisplayProbe::End() {
  if (answer_ >= 0) close(answer_);
  answer_ = -1;
  if (held_ >= 0) close(held_);
  held_ = -1;
  if (child_ > 0) {
    kill(child_, SIGKILL);
    while (waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  child_ = -1;
}

}  // namespace zentavo
