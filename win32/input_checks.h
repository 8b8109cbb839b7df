// Reading what the clipboard and an input method hand a text box, without trusting either to
// keep to its own size, and putting the program's own text on the clipboard.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zentavo {

// The text in a block of UTF-16 that holds `bytes` bytes: up to its first U+0000, or to the
// block's end when no terminator comes first. A last odd byte is not read.
[[nodiscard]] std::u16string TextWithinBlock(const void* block, std::size_t bytes);

// CF_UNICODETEXT as it is on the clipboard now, read within the block's own size; nothing when
// the clipboard cannot be opened or holds no text.
[[nodiscard]] std::optional<std::u16string> ClipboardText(HWND owner);

// Whether the clipboard holds a text of at least one character, found without copying it.
[[nodiscard]] bool ClipboardHoldsText(HWND owner);

// Puts `text` on the clipboard for every program; false when the clipboard could not be had,
// as while another program holds it open.
[[nodiscard]] bool PutTextOnClipboard(HWND owner, std::u16string_view text);

using CompositionStringReader = LONG(WINAPI*)(HIMC, DWORD, LPVOID, DWORD);

// The input method's string `which` (GCS_RESULTSTR, what it commits, or GCS_COMPSTR, what it is
// composing), asked for its size first and then read into that much room; nothing when the input
// method answers either question with an error (a negative value) or claims to have written more
// than the room it was given.
[[nodiscard]] std::optional<std::u16string> CompositionString(
    HIMC context, CompositionStringReader read_composition_string, DWORD which);

}  // namespace zentavo
