// Which characters a box draws as a picture: those without a glyph of their own (control
// characters, undefined codes, the no-break space and the soft hyphen), drawn as a dotted box
// holding their abbreviation or hexadecimal code (PictureText) while the text stays the real
// character.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zentavo {

// The code to draw as a picture while `box`'s whole text is `text`: only txtParaCar, which
// shows one character at a time, draws pictures, and only of one such character.
[[nodiscard]] std::optional<std::uint8_t> PicturedCode(std::string_view box,
                                                       std::u16string_view text);

}  // namespace zentavo
