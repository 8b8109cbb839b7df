// What a one-line box takes of a text pasted or dropped into it, decided once for both windows.
#pragma once

#include <optional>
#include <string_view>

namespace zentavo {

// Nothing when any character of `text` is outside Windows-1252: the text is refused whole, its
// later lines too, so that nothing is half taken. Otherwise its first line, up to its first line
// break (a line feed, a carriage return, or both): a one-line box shows no line break, so the
// line the user saw is what goes in, as the platforms' own one-line boxes have it.
[[nodiscard]] std::optional<std::u16string_view> PastedText(std::u16string_view text);

}  // namespace zentavo
