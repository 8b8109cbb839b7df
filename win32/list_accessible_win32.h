// What a screen reader reads of the finder's list box through MSAA: each row as a list item,
// named by its words, selected and focused as the list shows it, where it shows it.
#pragma once

#include <windows.h>

namespace zentavo {

// The answer to WM_GETOBJECT for OBJID_CLIENT on the list box `list`: its standard object, with
// its rows as simple children (numbered from 1), as Windows' own list box proxy gives them and
// wine's standard object does not. Zero when the standard object cannot be made.
[[nodiscard]] LRESULT AnswerListObjectRequest(HWND list, WPARAM wparam);

}  // namespace zentavo
