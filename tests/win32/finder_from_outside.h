// The character finder of Zentavo.exe as a Windows screen reader and its user meet it, from
// another process: Ctrl+F, the dialog's controls and rows by MSAA, what is announced, the code
// that goes into the upper row, one undo, and Esc.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace zentavo::testing_support {

// From the focused code box `code_box`, whose row's other box is `shown_in`: finds "dash en"
// and then presses Esc over "euro". `announced` says whether a reader heard a given text since
// it was last asked. Returns how many answers were wrong.
int CheckFinder(HWND code_box, HWND shown_in,
                const std::function<bool(const std::u16string&)>& announced);

}  // namespace zentavo::testing_support
