// What a Windows screen reader reads of the window, through MSAA: the standard objects of the
// window and its controls, with the words, children and order the Qt window gives its own.
#pragma once

#include <windows.h>

namespace zentavo {

// The answer to WM_GETOBJECT for OBJID_CLIENT on `box`, one of Form1Win32's text boxes: its
// standard object with the box's prompt as name, its row's details as description and its text
// as value. Zero when the standard object cannot be made.
[[nodiscard]] LRESULT AnswerBoxObjectRequest(HWND box, WPARAM wparam);

// The answer to WM_GETOBJECT for OBJID_CLIENT on Form1Win32's button: its standard object, read
// as a push button that is pressed as its default action, also where the standard object is not.
[[nodiscard]] LRESULT AnswerButtonObjectRequest(HWND button, WPARAM wparam);

// The answer to WM_GETOBJECT for OBJID_CLIENT on Form1Win32's window: its standard object, with
// the window's parts as children in reading order, the painted labels among them as static text.
// Zero when the standard object cannot be made.
[[nodiscard]] LRESULT AnswerWindowObjectRequest(HWND window, WPARAM wparam);

// Both objects ask the window for what they say on every call, so neither outlives what it
// reads; once the window is gone, the standard answers stand alone.

}  // namespace zentavo
