// Questions put to a display server before the toolkit starts, each from a child process of its
// own: a server that never answers costs only that child, which is ended by its id; what libxcb
// writes to the standard error is the child's own to read; and nothing the libraries do to the
// environment or to inherited descriptors reaches the program.
#pragma once

#include <sys/types.h>

#include <string>

namespace zentavo {

class DisplayProbe {
 public:
  // Asks the X server at `display` whether it lets the program in on the screen the name gives.
  // Once let in, the child hands its connection to the program, which holds it until the probe
  // is ended: the check must never be the last client to leave a server, which then resets, or
  // exits when started with -terminate. `named_by` ("DISPLAY", "-display") is how the answer
  // refers to the name.
  static DisplayProbe AskX(const std::string& display, const std::string& named_by);
  // Asks the Wayland compositor at the socket path for its first round trip.
  static DisplayProbe AskWayland(const std::string& socket);

  DisplayProbe() = default;
  DisplayProbe(DisplayProbe&& other) noexcept;
  DisplayProbe& operator=(DisplayProbe&& other) noexcept;
  DisplayProbe(const DisplayProbe&) = delete;
  DisplayProbe& operator=(const DisplayProbe&) = delete;
  ~DisplayProbe() { End(); }

  // Where the answer arrives; -1 once it has all arrived, or when no child could be started.
  [[nodiscard]] int AnswerDescriptor() const { return answer_; }
  // Reads what has arrived, once the descriptor is ready; the answer is whole at its end.
  void ReadAnswer();
  [[nodiscard]] bool Answered() const { return answered_; }
  // Why the display cannot be used; empty when it let the program in.
  [[nodiscard]] const std::string& Problem() const { return problem_; }

  // Closes any connection handed over, and ends the child if it still runs, reaping it.
  void End();

 private:
  pid_t child_ = -1;
  int answer_ = -1;
  int held_ = -1;  // the connection the child handed over
  bool answered_ = false;
  std::string received_;
  std::string problem_;
};

// Reads a reason a server gave as one line of at most a few hundred bytes: a server may send
// control characters, line breaks or kilobytes.
[[nodiscard]] std::string OneLineReason(const std::string& reason);

}  // namespace zentavo
