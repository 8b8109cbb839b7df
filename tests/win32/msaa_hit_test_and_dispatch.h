// What the MSAA client checks beyond reading the boxes: where a reader exploring by pointer or
// touch lands, and what a late-bound client reads.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace zentavo::testing_support {

// The child windows of `window` whose class is one of `classes`, in the order the window stacks
// them, which is the focus order.
std::vector<HWND> ChildWindowsOf(HWND window, std::initializer_list<const wchar_t*> classes);

// Hit-tests the window's object at the top, middle and bottom of each box and of the button,
// and reads the name found there; prints each, and returns how many differ from the control's.
int CheckHitTesting(HWND window);

// Reads each box's and the button's name and description through IDispatch::Invoke and through
// the vtable; prints each, and returns how many differ.
int CheckLateBoundReading(HWND window);

}  // namespace zentavo::testing_support
