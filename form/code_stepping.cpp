#include "code_stepping.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "code_notation.h"
#include "conversion.h"

namespace zentavo {
namespace {

// The code `text` reads as, rounded as the reading rules round, before it is brought into
// 0..255. Beyond the 16-bit range only the side matters: a step of at most 16 brings it no
// nearer the codes. A number too large to read at all ("1e400", "&H100000000") lies past the
// end its sign points to.
int CodeOf(std::u16string_view text) {
  try {
    return RoundToInt16(std::clamp(ReadLeadingNumber(text), -32768.0, 32767.0));
  } catch (const ConversionFailure&) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlankInNumber);
    return first != text.end() && *first == u'-' ? -32768 : 32767;
  }
}

std::u16string Written(int code, CodeNotation notation) {
  const auto byte = static_cast<std::uint8_t>(code);
  switch (notation) {
    case CodeNotation::Hexadecimal:
      return HexadecimalNotation(byte);
    case CodeNotation::Octal:
      return OctalNotation(byte);
    case CodeNotation::Decimal:
      break;
  }
  return DecimalNotation(byte);
}

}  // namespace

std::optional<std::u16string> SteppedCodeText(std::u16string_view text, int step) {
  const int from = CodeOf(text);
  // Stepped first, then kept within the codes: from 256 down is 255, from -1 up is 0.
  const int to = std::clamp(from + step, 0, 255);
  if (to == from) return std::nullopt;  // at either end: nothing changes, whatever the notation
  return Written(to, NotationOfCode(text));
}

}  // namespace zentavo
