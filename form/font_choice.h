// Which face a window asks for to draw a font of the layout table, decided once for both windows.
#pragma once

#include <string_view>

#include "layout_table.h"

namespace zentavo {

// The table's face where it names one that is installed; otherwise empty, which stands for the
// platform's own face for messages. A missing face is never asked for by name: the font system
// would rank every installed font as its substitute, only to land on the platform's face anyway.
// `installed(face)` says whether the window's font system has `face`.
template <typename IsInstalled>
[[nodiscard]] std::u16string_view FaceToAskFor(const layout::FontRecord& font,
                                               IsInstalled&& installed) {
  if (font.face.empty() || !installed(font.face)) return {};
  return font.face;
}

// Whether the window draws `font` bold: the table's weights are 400 and 700, and a window with
// only regular and bold takes anything from 700 up as bold.
[[nodiscard]] constexpr bool IsBold(const layout::FontRecord& font) { return font.weight >= 700; }

}  // namespace zentavo
