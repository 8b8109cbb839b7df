#include "line_navigation.h"

namespace zentavo {

std::size_t PreviousWordStart(std::u16string_view text, std::size_t from) {
  std::size_t at = from < text.size() ? from : text.size();
  while (at > 0 && IsWordBreak(text[at - 1])) --at;
  while (at > 0 && !IsWordBreak(text[at - 1])) --at;
  return at;
}

std::size_t NextWordStart(std::u16string_view text, std::size_t from) {
  std::size_t at = from < text.size() ? from : text.size();
  while (at < text.size() && !IsWordBreak(text[at])) ++at;
  while (at < text.size() && IsWordBreak(text[at])) ++at;
  return at;
}

CharacterRange WordAround(std::u16string_view text, std::size_t at) {
  if (text.empty()) return {};
  if (at >= text.size()) at = text.size() - 1;
  const bool blank = IsWordBreak(text[at]);
  CharacterRange word{at, at};
  while (word.start > 0 && IsWordBreak(text[word.start - 1]) == blank) --word.start;
  while (word.end < text.size() && IsWordBreak(text[word.end]) == blank) ++word.end;
  return word;
}

std::size_t CountFittingFromEnd(const std::vector<int>& advances, int pixels) {
  std::size_t fitting = 0;
  int used = 0;
  while (fitting < advances.size()) {
    const int next = advances[advances.size() - 1 - fitting];
    if (used + next > pixels) break;
    used += next;
    ++fitting;
  }
  return fitting;
}

std::size_t CaretPlaceAt(const std::vector<int>& advances, int x) {
  int left = 0;
  for (std::size_t i = 0; i < advances.size(); ++i) {
    if (x < left + advances[i] / 2 + advances[i] % 2) return i;
    left += advances[i];
  }
  return advances.size();
}

}  // namespace zentavo
