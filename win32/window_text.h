// Windows' UTF-16 strings and the program's, which are the same code units under two names.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zentavo {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

// `text` as Windows takes it, without a copy; it must end in U+0000 where Windows wants it to.
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace zentavo
