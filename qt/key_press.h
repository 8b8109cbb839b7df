// A toolkit key event as both windows name keys, for the commands they share (edit_commands.h).
#pragma once

#include "edit_commands.h"

class QKeyEvent;

namespace zentavo {

// The key and modifiers of `event`; any key with Meta held is the desktop's, and none of the box's.
[[nodiscard]] KeyPress PressOf(const QKeyEvent& event);

}  // namespace zentavo
