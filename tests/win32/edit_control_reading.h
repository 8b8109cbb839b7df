// What a screen reader that does not know a window's class asks of it before reading it as an
// edit control: the system caret blinking in it, and answers to the EDIT messages, asked from
// another process as the reader asks them.
#pragma once

#include <windows.h>

#include <string>

namespace zentavo::testing_support {

// Reads the focused `box` of the program's thread `thread` as an edit control holding `text`
// with the caret at its end; prints what it read, and returns how many answers were wrong.
int CheckReadAsAnEditControl(HWND box, DWORD thread, const std::u16string& text);

}  // namespace zentavo::testing_support
