#include "windows1252.h"

#include <algorithm>
#include <array>

namespace zentavo {
namespace {

// Windows-1252 byte value -> UTF-16 code unit, made at build time from Python's cp1252 codec
// (generate_code_pages.py). The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same value, as Windows maps them, so the mapping is
// one-to-one.
constexpr std::array<char16_t, 256> kCharacterForCode = {
#define ZENTAVO_WINDOWS_1252
#include "code_pages.inc"
#undef ZENTAVO_WINDOWS_1252
};

static_assert(kCharacterForCode[0x41] == u'A');
static_assert(kCharacterForCode[0x80] == u'\u20AC');
static_assert(kCharacterForCode[0xE9] == u'\u00E9');

// Only 0x80-0x9F differ from Latin-1, so the reverse lookup searches just those 32 entries.
constexpr std::optional<std::uint8_t> FindCode(char16_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<std::uint8_t>(character);
  }
  for (unsigned code = 0x80; code < 0xA0; ++code) {
    if (kCharacterForCode[code] == character) {
      return static_cast<std::uint8_t>(code);
    }
  }
  return std::nullopt;
}

static_assert(*FindCode(u'\u20AC') == 0x80);
static_assert(!FindCode(u'\u0100').has_value());

}  // namespace

char16_t CharacterForCode(std::uint8_t code) noexcept { return kCharacterForCode[code]; }

std::optional<std::uint8_t> CodeForCharacter(char16_t character) noexcept {
  return FindCode(character);
}

bool IsWindows1252Character(char16_t character) noexcept { return FindCode(character).has_value(); }

bool IsWindows1252Text(std::u16string_view text) noexcept {
  return std::all_of(text.begin(), text.end(), IsWindows1252Character);
}

}  // namespace zentavo
