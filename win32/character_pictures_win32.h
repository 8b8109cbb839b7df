// Draws a character without a glyph of its own as its picture over what a box drew for it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zentavo {

// Paints the picture of `code` (PictureText) in `box`, in `font` at `dpi`, over the box's text
// area, once the box has painted itself.
void PaintCharacterPicture(HWND box, HFONT font, UINT dpi, std::uint8_t code);

}  // namespace zentavo
