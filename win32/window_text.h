// Windows' UTF-16 strings and the program's, which are the same code units under two names.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace zentavo {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

// `text` as Windows takes it, without a copy; it must end in U+0000 where Windows wants it to.
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// A window's whole text, read once into a string of its own exact size.
inline std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  const int read = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(read < 0 ? 0 : read));
  return text;
}

}  // namespace zentavo
