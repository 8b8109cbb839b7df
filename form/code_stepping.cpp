#include "code_stepping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "character_details.h"
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

// Nothing for a number too large to read.
std::optional<int> CodeOf(std::u16string_view text) {
  try {
    return static_cast<int>(std::clamp(std::nearbyint(ReadLeadingNumber(text)), 0.0, 255.0));
  } catch (const ConversionFailure&) {
    return std::nullopt;
  }
}

std::u16string Written(int code, Notation notation) {
  const auto byte = static_cast<std::uint8_t>(code);
  std::string text;
  switch (notation) {
    case Notation::Decimal:
      text = std::to_string(code);
      break;
    case Notation::Hexadecimal:
      text = HexadecimalNotation(byte);
      break;
    case Notation::Octal:
      text = OctalNotation(byte);
      break;
  }
  return {text.begin(), text.end()};
}

}  // namespace

std::optional<std::u16string> SteppedCodeText(std::u16string_view text, int step) {
  const std::optional<int> code = CodeOf(text);
  std::u16string stepped = code ? Written(std::clamp(*code + step, 0, 255), NotationOf(text))
                                : Written(std::clamp(step, 0, 255), Notation::Decimal);
  if (stepped == text) return std::nullopt;
  return stepped;
}

}  // namespace zentavo
