// What a Windows screen reader reads of a text box, through MSAA: the standard object of an edit
// control, with the name, description and value the Qt window gives its boxes.
#pragma once

#include <windows.h>

namespace zentavo {

// The answer to WM_GETOBJECT for OBJID_CLIENT on `box`, one of Form1Win32's text boxes: an
// object that asks the window for the box's words on every call, so it never outlives what it
// reads. Zero when the standard object cannot be made.
[[nodiscard]] LRESULT AnswerBoxObjectRequest(HWND box, WPARAM wparam);

}  // namespace zentavo
