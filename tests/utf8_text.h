// UTF-16 text as UTF-8, for test programs that print what they read.
#pragma once

#include <string>
#include <string_view>

namespace zentavo::testing_support {

// Every character Zentavo holds is in the Basic Multilingual Plane: one to three bytes each.
inline std::string Utf8(std::u16string_view text) {
  std::string bytes;
  for (const char16_t character : text) {
    const unsigned value = character;
    if (value < 0x80) {
      bytes += static_cast<char>(value);
    } else if (value < 0x800) {
      bytes += static_cast<char>(0xC0 | value >> 6);
      bytes += static_cast<char>(0x80 | (value & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | value >> 12);
      bytes += static_cast<char>(0x80 | (value >> 6 & 0x3F));
      bytes += static_cast<char>(0x80 | (value & 0x3F));
    }
  }
  return bytes;
}

}  // namespace zentavo::testing_support
