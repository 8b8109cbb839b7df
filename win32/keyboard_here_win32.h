// How the keyboard in use types each character on Windows: the active layout of the window's
// thread, as Windows itself reads keys with it (VkKeyScanExW, ToUnicodeEx), its dead keys
// followed by a key included. Probing never disturbs what the user is typing.
#pragma once

#include <windows.h>

#include "keyboard_ways.h"

namespace zentavo {

// What `layout` types: each key at each level Shift and AltGr reach, and each dead key followed
// by a key. Dead keys are read only while no dead key the user pressed waits for its next key.
[[nodiscard]] KeyboardReading ReadKeyboardLayout(HKL layout);

// The ways of the thread's active layout, read on first use and again once the layout changes.
[[nodiscard]] const KeyboardWays* KeyboardWaysHere();
// The layout has changed (WM_INPUTLANGCHANGE): the next use reads it anew.
void ForgetKeyboardLayout();

}  // namespace zentavo
