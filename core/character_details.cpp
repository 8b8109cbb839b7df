#include "character_details.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <vector>

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

struct HtmlReference {
  char16_t character;
  std::string_view name;
};

// Sorted by character; made at build time from HTML5's list of named references.
constexpr HtmlReference kHtmlReferences[] = {
#include "html_references.inc"
};

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// One to three bytes: every character of the code page is in the Basic Multilingual Plane.
std::vector<std::uint8_t> Utf8Of(char16_t character) {
  const unsigned value = character;
  if (value < 0x80) return {static_cast<std::uint8_t>(value)};
  if (value < 0x800) {
    return {static_cast<std::uint8_t>(0xC0 | value >> 6),
            static_cast<std::uint8_t>(0x80 | (value & 0x3F))};
  }
  return {static_cast<std::uint8_t>(0xE0 | value >> 12),
          static_cast<std::uint8_t>(0x80 | (value >> 6 & 0x3F)),
          static_cast<std::uint8_t>(0x80 | (value & 0x3F))};
}

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

// How a text shows a byte whose character the boxes draw as a picture (a control, an undefined
// code, the no-break space, the soft hyphen), which would otherwise be invisible or look like a
// blank: "[AD]" for the eye, as the character box pictures it; " byte AD" for the ear, which a
// reader says as words.
enum class PicturedBytes { Bracketed, Spoken };

std::u16string Utf8Line(const CharacterDetails& details, std::u16string_view separator,
                        PicturedBytes pictured) {
  std::u16string line = u"UTF-8: " + Widen(Utf8Bytes(details.character));
  const std::u16string misread = Utf8ReadAsWindows1252(details.character);
  if (misread != std::u16string(1, details.character)) {
    line += separator;
    line += u"read as Windows-1252: ";
    for (const char16_t character : misread) {
      const std::optional<std::uint8_t> byte = CodeForCharacter(character);
      if (!byte || !HasNoDistinctGlyph(*byte)) {
        line += character;
      } else if (pictured == PicturedBytes::Bracketed) {
        line += u"[" + Widen(ToBase(*byte, 16)) + u"]";
      } else {
        line += u" byte " + Widen(ToBase(*byte, 16));
      }
    }
  }
  return line;
}

std::u16string Describe(std::uint8_t code, std::u16string_view separator,
                        std::u16string_view line_break, PicturedBytes pictured) {
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
  if (details.is_defined) {
    text += line_break;
    text += Utf8Line(details, separator, pictured);
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

std::string Utf8Bytes(char16_t character) {
  std::string bytes;
  for (const std::uint8_t byte : Utf8Of(character)) {
    if (!bytes.empty()) bytes += ' ';
    std::array<char, 4> text{};
    std::snprintf(text.data(), text.size(), "%02X", static_cast<unsigned>(byte));
    bytes += text.data();
  }
  return bytes;
}

std::u16string Utf8ReadAsWindows1252(char16_t character) {
  std::u16string misread;
  for (const std::uint8_t byte : Utf8Of(character)) misread += CharacterForCode(byte);
  return misread;
}

std::string_view HtmlNamedReference(char16_t character) {
  const auto* found = std::lower_bound(
      std::begin(kHtmlReferences), std::end(kHtmlReferences), character,
      [](const HtmlReference& each, char16_t wanted) { return each.character < wanted; });
  return found != std::end(kHtmlReferences) && found->character == character ? found->name
                                                                             : std::string_view();
}

namespace {

// Whether HTML reads a numeric reference to `character` back as that very character, with no
// parse error: HTML reads &#0; as U+FFFD, and takes a reference to a carriage return or to any
// control but a tab, a line feed or a form feed as an error.
bool HtmlReadsBack(char16_t character) {
  if (character == u'\t' || character == u'\n' || character == u'\f') return true;
  return character >= 0x20 && !(character >= 0x7F && character <= 0x9F);
}

}  // namespace

std::vector<std::u16string> CopyForms(std::uint8_t code) {
  const CharacterDetails details = DetailsOfCode(code);
  std::vector<std::u16string> forms = {Widen(std::to_string(code)),
                                       Widen(HexadecimalNotation(code))};
  if (!details.is_defined) return forms;
  const unsigned code_point = details.character;
  const bool html = HtmlReadsBack(details.character);
  const std::u16string numeric =
      html ? u"&#" + Widen(std::to_string(code_point)) + u";" : std::u16string();
  const std::string_view named = html ? HtmlNamedReference(details.character) : "";
  std::array<char, 8> escape{};
  std::snprintf(escape.data(), escape.size(), "\\u%04X", code_point);
  for (std::u16string form : {Widen(CodePointNotation(details.character)),
                              named.empty() ? numeric : Widen(named), numeric, Widen(escape.data()),
                              Widen(Utf8Bytes(details.character)), Widen(AltKeystroke(code))}) {
    if (!form.empty() && form != forms.back()) forms.push_back(std::move(form));
  }
  return forms;
}

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

std::u16string DescribeForTooltip(std::uint8_t code) {
  return Describe(code, u" \u00B7 ", u"\n", PicturedBytes::Bracketed);
}

std::u16string DescribeForSpeech(std::uint8_t code) {
  return Describe(code, u", ", u", ", PicturedBytes::Spoken);
}

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
