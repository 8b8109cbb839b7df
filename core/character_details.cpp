#include "character_details.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "code_notation.h"
#include "windows1252.h"

namespace zentavo {
namespace {

// clang-format off
// All names in one string; made at build time from the Unicode data files and the code page.
constexpr char kNameText[] =
#define ZENTAVO_CHARACTER_NAME_TEXT
#include "character_names.inc"
#undef ZENTAVO_CHARACTER_NAME_TEXT
    "";

// Where each code's name and abbreviation lie in kNameText, indexed by code.
struct NamesAt {
  std::uint16_t name_at;
  std::uint8_t name_length;
  std::uint16_t abbreviation_at;
  std::uint8_t abbreviation_length;
};
constexpr std::array<NamesAt, 256> kCharacterNames = {{
#define ZENTAVO_CHARACTER_NAMES
#include "character_names.inc"
#undef ZENTAVO_CHARACTER_NAMES
}};

// HTML's named references for the code page's characters, from HTML5's list at build time.
constexpr char kHtmlReferenceText[] =
#define ZENTAVO_HTML_REFERENCE_TEXT
#include "html_references.inc"
#undef ZENTAVO_HTML_REFERENCE_TEXT
    "";

struct HtmlReferenceAt {
  char16_t character;
  std::uint16_t at;
  std::uint8_t length;
};
// Sorted by character.
constexpr HtmlReferenceAt kHtmlReferences[] = {
#define ZENTAVO_HTML_REFERENCES
#include "html_references.inc"
#undef ZENTAVO_HTML_REFERENCES
};
// clang-format on

constexpr std::string_view Slice(std::string_view text, std::size_t at, std::size_t length) {
  return text.substr(at, length);
}

}  // namespace

CharacterDetails DetailsOfCode(std::uint8_t code) noexcept {
  const char16_t character = CharacterForCode(code);
  // The code page maps its five holes to the C1 controls of the same value; every other byte
  // from 0x80 to 0x9F is a printable character elsewhere in Unicode.
  const bool is_defined = !(character >= 0x80 && character <= 0x9F);
  const bool is_control = code < 0x20 || code == 0x7F;
  const NamesAt& names = kCharacterNames[code];
  const std::string_view text(kNameText, sizeof kNameText - 1);
  return {code,
          character,
          is_defined ? Slice(text, names.name_at, names.name_length) : std::string_view(),
          is_defined ? Slice(text, names.abbreviation_at, names.abbreviation_length)
                     : std::string_view(),
          is_defined,
          is_control};
}

std::string_view HtmlNamedReference(char16_t character) {
  const auto* found = std::lower_bound(
      std::begin(kHtmlReferences), std::end(kHtmlReferences), character,
      [](const HtmlReferenceAt& each, char16_t wanted) { return each.character < wanted; });
  if (found == std::end(kHtmlReferences) || found->character != character) return {};
  return Slice(std::string_view(kHtmlReferenceText, sizeof kHtmlReferenceText - 1), found->at,
               found->length);
}

bool HtmlReadsBack(char16_t character) noexcept {
  if (character == u'\t' || character == u'\n' || character == u'\f') return true;
  return character >= 0x20 && !(character >= 0x7F && character <= 0x9F);
}

std::u16string Utf8ReadAsWindows1252(char16_t character) {
  std::u16string misread;
  for (const std::uint8_t byte : Utf8Of(character)) misread += CharacterForCode(byte);
  return misread;
}

bool HasNoDistinctGlyph(std::uint8_t code) noexcept {
  const CharacterDetails details = DetailsOfCode(code);
  return details.is_control || !details.is_defined || details.character == u'\u00A0' ||
         details.character == u'\u00AD';
}

std::optional<std::uint8_t> CodeOfLoneCharacter(std::u16string_view text) {
  if (text.size() != 1) return std::nullopt;
  return CodeForCharacter(text.front());
}

bool IsControlCharacter(char32_t code_point) noexcept {
  return code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F);
}

}  // namespace zentavo
