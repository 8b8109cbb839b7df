// Where the caret of a one-line box goes, and which characters show, without a window: the
// rules of Windows' own one-line EDIT, so that the box Zentavo.exe draws itself moves as users
// of that platform expect.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zentavo {

// Words are separated by blanks only, as the EDIT's own word breaks have them: "&H41" and
// "é," are each one word.
[[nodiscard]] constexpr bool IsWordBreak(char16_t character) {
  return character == u' ' || character == u'\t' || character == u'\r' || character == u'\n';
}

// Ctrl+Left from `from`: to the start of the word before it, past any blanks between.
[[nodiscard]] std::size_t PreviousWordStart(std::u16string_view text, std::size_t from);
// Ctrl+Right from `from`: past the rest of the word and the blanks after it, to the next word.
[[nodiscard]] std::size_t NextWordStart(std::u16string_view text, std::size_t from);
// The word a double click at `at` selects: the word there, or the run of blanks there.
struct CharacterRange {
  std::size_t start = 0;
  std::size_t end = 0;
};
[[nodiscard]] CharacterRange WordAround(std::u16string_view text, std::size_t at);

// How many of the characters whose widths in pixels are `advances` fit within `pixels`,
// counted back from the last: the characters left of the caret when the line scrolls to it.
[[nodiscard]] std::size_t CountFittingFromEnd(const std::vector<int>& advances, int pixels);
// Where a click `x` pixels right of the first character shown lands, given the widths of the
// characters shown: before the first character whose middle it does not reach.
[[nodiscard]] std::size_t CaretPlaceAt(const std::vector<int>& advances, int x);

}  // namespace zentavo
