#include "character_description.h"

#include <optional>
#include <string_view>

#include "character_details.h"
#include "code_notation.h"
#include "windows1252.h"

namespace zentavo {
namespace {

std::u16string KeystrokeLine(std::uint8_t code, const CharacterDetails& details) {
  if (details.is_control) return u"Control character / Caractere de controle";
  if (!details.is_defined) return {};
  return u"Windows: " + Widen(WindowsAltNotation(code));
}

// How a text shows a byte whose character the boxes draw as a picture (a control, an undefined
// code, the no-break space, the soft hyphen), which would otherwise be invisible or look like a
// blank: "[AD]" for the eye, as the character box pictures it; " byte AD" for the ear, which a
// reader says as words.
enum class PicturedBytes { Bracketed, Spoken };

std::u16string Utf8Line(const CharacterDetails& details, std::u16string_view separator,
                        PicturedBytes pictured) {
  std::u16string line = u"UTF-8: " + Widen(ByteNotation(Utf8Of(details.character)));
  const std::u16string misread = Utf8ReadAsWindows1252(details.character);
  if (misread != std::u16string(1, details.character)) {
    line += separator;
    line += u"read as Windows-1252: ";
    for (const char16_t character : misread) {
      const std::optional<std::uint8_t> byte = CodeForCharacter(character);
      if (!byte || !HasNoDistinctGlyph(*byte)) {
        line += character;
      } else if (pictured == PicturedBytes::Bracketed) {
        line += u"[" + Widen(Digits(*byte, 16)) + u"]";
      } else {
        line += u" byte " + Widen(Digits(*byte, 16));
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
  text += Widen(DecimalNotation(code));
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

}  // namespace zentavo
