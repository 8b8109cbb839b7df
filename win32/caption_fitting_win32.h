// How a label keeps its caption readable when the font in use does not fit the label, which the
// layout table sizes for the original face: cut captions show whole as tooltips, and captions
// in a font taller than their label sit on its bottom.
#pragma once

#include <windows.h>

namespace zentavo {

// Gives each label whose caption is cut at its edge a tool in `tooltip` showing it whole, in
// place of the tools an earlier call gave.
void AddCutCaptionTooltips(HWND window, HWND tooltip, HFONT window_font, HFONT banner_font,
                           UINT dpi);

// Paints every label's caption and every line of the layout table on `context`, the window's.
void PaintCaptionsAndLines(HDC context, HFONT window_font, HFONT banner_font, UINT dpi);

}  // namespace zentavo
