#include "character_details.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "windows1252.h"

namespace zentavo {
namespace {

struct CharacterNames {
  std::string_view name;
  std::string_view abbreviation;
};

// Indexed by code; made at build time from the Unicode data files and the code page table.
constexpr std::array<CharacterNames, 256> kCharacterNames = {{
#include "character_names.inc"
}};

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

std::string ToBase(std::uint8_t code, int base) {
  std::array<char, 8> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), code, base);
  std::string text(digits.data(), result.ptr);
  for (char& digit : text) {
    if (digit >= 'a' && digit <= 'f') digit = static_cast<char>(digit - 'a' + 'A');
  }
  return text;
}

std::u16string KeystrokeLine(std::uint8_t code, const CharacterDetails& details) {
  if (details.is_control) return u"Control character / Caractere de controle";
  const std::string keystroke = AltKeystroke(code);
  return keystroke.empty() ? std::u16string() : u"Windows: " + Widen(keystroke);
}

std::u16string Describe(std::uint8_t code, std::u16string_view separator,
                        std::u16string_view line_break) {
  const CharacterDetails details = DetailsOfCode(code);
  std::u16string text = NameToTell(code);
  text += line_break;
  text += Widen(std::to_string(code));
  for (const std::string& notation :
       {HexadecimalNotation(code), OctalNotation(code), CodePointNotation(details.character)}) {
    text += separator;
    text += Widen(notation);
  }
  const std::u16string keystroke = KeystrokeLine(code, details);
  if (!keystroke.empty()) {
    text += line_break;
    text += keystroke;
  }
  return text;
}

}  // namespace

CharacterDetails DetailsOfCode(std::uint8_t code) noexcept {
  const char16_t character = CharacterForCode(code);
  // The code page maps its five holes to the C1 controls of the same value; every other byte
  // from 0x80 to 0x9F is a printable character elsewhere in Unicode.
  const bool is_defined = !(character >= 0x80 && character <= 0x9F);
  const bool is_control = code < 0x20 || code == 0x7F;
  const CharacterNames& names = kCharacterNames[code];
  return {code,
          character,
          is_defined ? names.name : std::string_view(),
          is_defined ? names.abbreviation : std::string_view(),
          is_defined,
          is_control};
}

std::string CodePointNotation(char16_t character) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "U+%04X", static_cast<unsigned>(character));
  return text.data();
}

std::string HexadecimalNotation(std::uint8_t code) { return "&H" + ToBase(code, 16); }

std::string OctalNotation(std::uint8_t code) { return "&O" + ToBase(code, 8); }

std::string AltKeystroke(std::uint8_t code) {
  const CharacterDetails details = DetailsOfCode(code);
  if (details.is_control || !details.is_defined) return {};
  std::array<char, 12> text{};
  std::snprintf(text.data(), text.size(), "Alt+%04u", static_cast<unsigned>(code));
  return text.data();
}

bool HasNoDistinctGlyph(std::uint8_t code) noexcept {
  const CharacterDetails details = DetailsOfCode(code);
  return details.is_control || !details.is_defined || details.character == u'\u00A0' ||
         details.character == u'\u00AD';
}

std::u16string PictureText(std::uint8_t code) {
  const CharacterDetails details = DetailsOfCode(code);
  if (!details.abbreviation.empty()) return Widen(details.abbreviation);
  return Widen(ToBase(code, 16));
}

std::u16string NameToTell(std::uint8_t code) {
  const CharacterDetails details = DetailsOfCode(code);
  if (!details.is_defined) return u"Undefined in Windows-1252 / N\u00E3o definido no Windows-1252";
  return Widen(details.name);
}

std::u16string DescribeForTooltip(std::uint8_t code) { return Describe(code, u" \u00B7 ", u"\n"); }

std::u16string DescribeForSpeech(std::uint8_t code) { return Describe(code, u", ", u", "); }

std::optional<std::uint8_t> CodeOfLoneCharacter(std::u16string_view text) {
  if (text.size() != 1) return std::nullopt;
  return CodeForCharacter(text.front());
}

std::optional<std::uint8_t> CodeOfDecimalText(std::u16string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  std::array<char, 3> ascii{};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    ascii[i] = static_cast<char>(text[i]);
  }
  if (text.size() > 1 && ascii[0] == '0') return std::nullopt;  // never how a code is written
  unsigned value = 0;
  std::from_chars(ascii.data(), ascii.data() + text.size(), value);
  if (value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

}  // namespace zentavo
