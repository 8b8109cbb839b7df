// The Windows-1252 code page as a one-to-one map between byte values 0-255 and UTF-16 code units.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zentavo {

// The character at byte value `code`. Every byte value has one: the five the code page leaves
// undefined (129, 141, 143, 144, 157) stand for the C1 control characters of the same value.
[[nodiscard]] char16_t CharacterForCode(std::uint8_t code) noexcept;

// The byte value of `character`, or nothing when the code page has no such character
// (surrogate code units included).
[[nodiscard]] std::optional<std::uint8_t> CodeForCharacter(char16_t character) noexcept;

[[nodiscard]] bool IsWindows1252Character(char16_t character) noexcept;

// Whether every character of `text` is one of the code page's.
[[nodiscard]] bool IsWindows1252Text(std::u16string_view text) noexcept;

}  // namespace zentavo
