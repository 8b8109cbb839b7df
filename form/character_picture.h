// Which characters a box draws as a picture: those without a glyph of their own (control
// characters, undefined codes, the no-break space and the soft hyphen), drawn as a dotted box
// holding their abbreviation or hexadecimal code (PictureText) while the text stays the real
// character.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentavo {

// The words a picture shows for `code`: its abbreviation ("LF", "NBSP", "SHY") or, where Unicode
// gives none, its code in hexadecimal ("90").
[[nodiscard]] std::u16string PictureText(std::uint8_t code);

// Whether `box` ever draws a picture: only txtParaCar, which shows one character at a time.
[[nodiscard]] bool DrawsPictures(std::string_view box);

// The code to draw as a picture while `box`'s whole text is `text`: only txtParaCar, which
// shows one character at a time, draws pictures, and only of one such character.
[[nodiscard]] std::optional<std::uint8_t> PicturedCode(std::string_view box,
                                                       std::u16string_view text);

// Where a picture's dotted frame goes, in a box's pixels.
struct PictureFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Between the dotted frame and its label, in pixels at 96 dots per inch.
inline constexpr int kPicturePadding = 2;

// The frame around a label `label_width` by `label_height` pixels, in a box whose text area
// begins at `area_left` and spans `area_top` to `area_bottom` (exclusive): one pixel in from the
// area's left, where the character itself would begin, and centred on the area's middle, with
// `padding` on either side of the label and a pixel above and below it.
[[nodiscard]] PictureFrame PictureFramePlace(int area_left, int area_top, int area_bottom,
                                             int label_width, int label_height, int padding);

}  // namespace zentavo
