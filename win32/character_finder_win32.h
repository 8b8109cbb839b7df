// The character finder in Zentavo.exe: a dialog of Windows' own controls (an EDIT, a list box,
// two buttons) under the dialog manager's keyboard, over what the toolkit-free finder answers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace zentavo {

class ResultAnnouncerWin32;

// Shows the finder modally over `owner` and returns the code the user chose to use, or nothing
// when they cancelled. Each change of the query is told through `announcer`.
[[nodiscard]] std::optional<std::uint8_t> FindCharacterWin32(HWND owner,
                                                             ResultAnnouncerWin32& announcer);

}  // namespace zentavo
