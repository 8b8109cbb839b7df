// Whether a key is held down as the message now being answered came, in this thread's own key
// state, which is what a test sets to press Shift or Ctrl.
#pragma once

#include <windows.h>

namespace zentavo {

[[nodiscard]] inline bool KeyIsDown(int key) { return GetKeyState(key) < 0; }

}  // namespace zentavo
