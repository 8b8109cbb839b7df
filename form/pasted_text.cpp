#include "pasted_text.h"

#include "windows1252.h"

namespace zentavo {

std::optional<std::u16string_view> PastedText(std::u16string_view text) {
  if (!IsWindows1252Text(text)) return std::nullopt;
  return text.substr(0, text.find_first_of(u"\r\n"));
}

}  // namespace zentavo
