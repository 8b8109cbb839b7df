// Where the layout table puts a control, in a window's pixels at a given DPI.
#pragma once

#include <windows.h>

#include <variant>

#include "layout_table.h"

namespace zentavo {

inline int Pixels(int twips, UINT dpi) {
  return layout::TwipsToPixels(twips, static_cast<int>(dpi));
}

inline RECT PlaceOf(const layout::ControlRecord& record, UINT dpi) {
  const layout::PixelRect place =
      layout::ToPixels(std::get<layout::TwipRect>(record.place), static_cast<int>(dpi));
  return {place.left, place.top, place.right, place.bottom};
}

}  // namespace zentavo
