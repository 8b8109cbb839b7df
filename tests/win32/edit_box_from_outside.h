// What other programs do to a box of Zentavo.exe's from their own process: a screen reader
// reading it as an edit control, voice control setting its value, a careless or hostile program
// sending it indexes and buffers of any size, and a clipboard held open while the user cuts.
#pragma once

#include <windows.h>

#include <string>

namespace zentavo::testing_support {

// A window's whole text, read from another process as WM_GETTEXT gives it.
std::u16string TextOf(HWND window);

// Reads the focused `box` of the program's thread `thread` as an edit control holding `text`
// with the caret at its end; prints what it read, and returns how many answers were wrong.
int CheckReadAsAnEditControl(HWND box, DWORD thread, const std::u16string& text);

// What put_accValue answers for `text` set as `box`'s value, as "S_OK" or its code.
std::u16string PutValue(HWND box, const std::u16string& text);

// Sets the focused code box `box` through MSAA's put_accValue: a code converts in `shown_in`,
// one Ctrl+Z gives the text back, and a text outside Windows-1252 is refused. Leaves the box as
// it found it; returns how many answers were wrong.
int CheckValueSetFromOutside(HWND box, HWND shown_in);

// Sends `box` messages with indexes out of range, negative ones included, and buffers too small
// for its text: the box stays, with the same text, and nothing is written past a buffer.
int CheckHostileMessages(HWND box);

// Selects all of the focused `box` and presses Ctrl+X while this process holds the clipboard
// open: the text stays in the box.
int CheckCutWhileClipboardIsHeld(HWND box);

}  // namespace zentavo::testing_support
