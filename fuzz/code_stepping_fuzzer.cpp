// Steps arbitrary texts of txtDeASCII by each step key, and checks every result against the rule
// the README gives, applied to the number the conversion's own reader reads: the code rounded
// half to even, a text with no number at 0, a number too large to read past the end its sign
// points to; stepped, then kept within 0..255, in the notation the text was written in; and no
// step only where the code cannot move.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "code_stepping.h"
#include "conversion.h"
#include "fuzzed_texts.h"
#include "windows1252.h"

namespace {

[[noreturn]] void Fail() { std::abort(); }

// "&H" or "&O" where the text, blanks aside, starts with one; empty for a decimal.
std::u16string PrefixOf(std::u16string_view text) {
  std::u16string start;
  for (const char16_t character : text) {
    if (character == u' ' || character == u'\t' || character == u'\n') continue;
    start += character == u'h' ? u'H' : character == u'o' ? u'O' : character;
    if (start.size() == 2) break;
  }
  return start == u"&H" || start == u"&O" ? start : u"";
}

void CheckText(std::u16string_view text) {
  double at = 0.0;  // where the text stands, before it is brought into the codes
  try {
    at = std::nearbyint(zentavo::ReadLeadingNumber(text));
  } catch (const zentavo::ConversionFailure&) {
    const auto first = std::find_if(text.begin(), text.end(), [](char16_t character) {
      return character != u' ' && character != u'\t' && character != u'\n';
    });
    at = first != text.end() && *first == u'-' ? -HUGE_VAL : HUGE_VAL;
  }
  for (const int step : {1, -1, 16, -16}) {
    const std::optional<std::u16string> stepped = zentavo::SteppedCodeText(text, step);
    const double to = std::clamp(at + step, 0.0, 255.0);
    if (!stepped) {
      if (to != at) Fail();  // the code could have moved
      continue;
    }
    const double code = zentavo::ReadLeadingNumber(*stepped);
    if (code != to || code == at) Fail();
    if (PrefixOf(text) != PrefixOf(*stepped)) Fail();  // another notation
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zentavo::fuzzing::CheckEachReading(data, size, CheckText);
  return 0;
}
