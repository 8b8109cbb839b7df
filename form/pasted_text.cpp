#include "pasted_text.h"

#include "windows1252.h"

namespace zentavo {

std::optional<std::u16string_view> PastedText(std::u16string_view text) {
  if (!IsWindows1252Text(text)) return std::nullopt;
  return text.substr(0, text.find_first_of(u"\r\n"));
}

PasteOutcome PasteOutcomeOf(std::u16string_view clipboard, bool has_selection, Platform platform) {
  const std::optional<std::u16string_view> line = PastedText(clipboard);
  if (!line) return {std::nullopt, platform == Platform::Windows};
  if (line->empty() && !has_selection) return {};
  return {line, false};
}

}  // namespace zentavo
