#include "code_stepping.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "code_notation.h"
#include "conversion.h"

namespace zentavo {
namespace {

enum class Notation { Decimal, Hexadecimal, Octal };

// As the box reads it: blanks anywhere are no part of the number.
Notation NotationOf(std::u16string_view text) {
  std::u16string start;
  for (const char16_t character : text) {
    if (character == u' ' || character == u'\t' || character == u'\n') continue;
    start += character;
    if (start.size() == 2) break;
  }
  if (start == u"&H" || start == u"&h") return Notation::Hexadecimal;
  if (start == u"&O" || start == u"&o") return Notation::Octal;
  return Notation::Decimal;
}

// The code `text` reads as, rounded as the reading rules round, before it is brought into
// 0..255. Beyond the 16-bit range only the side matters: a step of at most 16 brings it no
// nearer the codes. A number too large to read at all ("1e400", "&H100000000") lies past the
// end its sign points to.
int CodeOf(std::u16string_view text) {
  try {
    return RoundToInt16(std::clamp(ReadLeadingNumber(text), -32768.0, 32767.0));
  } catch (const ConversionFailure&) {
    const auto first = std::find_if(text.begin(), text.end(), [](char16_t character) {
      return character != u' ' && character != u'\t' && character != u'\n';
    });
    return first != text.end() && *first == u'-' ? -32768 : 32767;
  }
}

std::u16string Written(int code, Notation notation) {
  const auto byte = static_cast<std::uint8_t>(code);
  switch (notation) {
    case Notation::Hexadecimal:
      return Widen(HexadecimalNotation(byte));
    case Notation::Octal:
      return Widen(OctalNotation(byte));
    case Notation::Decimal:
      break;
  }
  return Widen(DecimalNotation(byte));
}

}  // namespace

std::optional<std::u16string> SteppedCodeText(std::u16string_view text, int step) {
  const int from = CodeOf(text);
  // Stepped first, then kept within the codes: from 256 down is 255, from -1 up is 0.
  const int to = std::clamp(from + step, 0, 255);
  if (to == from) return std::nullopt;  // at either end: nothing changes, whatever the notation
  return Written(to, NotationOf(text));
}

}  // namespace zentavo
