// Windows' UTF-16 strings and the program's, which are the same code units under two names.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zentavo {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

// `text` as Windows takes it, without a copy; it must end in U+0000 where Windows wants it to.
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// The first `characters` of a window's text at most, read no further: WM_GETTEXT copies no more
// than the room it is given.
inline std::u16string WindowTextStart(HWND window, std::size_t characters) {
  const auto length = static_cast<std::size_t>(std::max(GetWindowTextLengthW(window), 0));
  std::u16string text(std::min(characters, length), u'\0');
  if (text.empty()) return text;
  const LRESULT read =
      SendMessageW(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::clamp<std::size_t>(static_cast<std::size_t>(std::max<LRESULT>(read, 0)), 0,
                                      text.size()));
  return text;
}

// A window's whole text, read once into a string of its own exact size.
inline std::u16string WindowText(HWND window) { return WindowTextStart(window, SIZE_MAX); }

}  // namespace zentavo
