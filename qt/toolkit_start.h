// The toolkit decides whether it can open a display; this hears its answer. From construction
// until Made(), what the toolkit says goes through a message handler and is kept, and what its
// display libraries print on the standard error themselves is held back. A fatal answer, or a
// display that takes the connection and never answers, ends the program with one line saying
// what was tried and why; otherwise everything kept goes out as the toolkit would have written it.
#pragma once

#include <chrono>

namespace zentavo {

class ToolkitStart {
 public:
  // Made once, before the application object. Where the user named no platform and the
  // environment names a Wayland compositor, asks the toolkit to try it first ("wayland;xcb").
  // `status` is the exit status when no display can be had, after `patience` at the longest.
  ToolkitStart(int status, std::chrono::seconds patience);
  ToolkitStart(const ToolkitStart&) = delete;
  ToolkitStart& operator=(const ToolkitStart&) = delete;
  ~ToolkitStart();

  // The application object is made: the watch ends, and what was kept goes out.
  void Made();
};

}  // namespace zentavo
