// Feeds arbitrary UTF-16 text to the conversions and checks, on every input, the properties
// that must hold whatever the text: one Windows-1252 character or a ConversionFailure out of
// CodeToCharacter, a plain decimal 0-255 out of CharacterToCode, and agreement between them.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "conversion.h"
#include "fuzzed_texts.h"
#include "windows1252.h"

namespace {

[[noreturn]] void Fail() { std::abort(); }

bool IsPlainDecimalCode(const std::u16string& text) {
  if (text.empty() || text.size() > 3) return false;
  if (text.size() > 1 && text.front() == u'0') return false;
  int value = 0;
  for (const char16_t digit : text) {
    if (digit < u'0' || digit > u'9') return false;
    value = value * 10 + (digit - u'0');
  }
  return value <= 255;
}

void CheckText(std::u16string_view text) {
  const std::u16string code = zentavo::CharacterToCode(text);
  if (!IsPlainDecimalCode(code)) Fail();

  bool reading_failed = false;
  double value = 0.0;
  try {
    value = zentavo::ReadLeadingNumber(text);
    if (std::isnan(value)) Fail();
  } catch (const zentavo::ConversionFailure& failure) {
    if (failure.kind() != zentavo::ConversionFailure::Kind::Overflow) Fail();
    reading_failed = true;
  }

  try {
    const std::u16string character = zentavo::CodeToCharacter(text);
    if (reading_failed || character.size() != 1) Fail();
    if (!zentavo::IsWindows1252Character(character.front())) Fail();
    // The round trip gives back the decimal of the code the text rounds to.
    const std::string expected = std::to_string(std::lrint(value));
    if (zentavo::CharacterToCode(character) != std::u16string(expected.begin(), expected.end())) {
      Fail();
    }
  } catch (const zentavo::ConversionFailure& failure) {
    if (reading_failed) return;
    const bool in_int16 = std::nearbyint(value) >= -32768 && std::nearbyint(value) <= 32767;
    const auto expected_kind = in_int16 ? zentavo::ConversionFailure::Kind::InvalidArgument
                                        : zentavo::ConversionFailure::Kind::Overflow;
    if (failure.kind() != expected_kind) Fail();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zentavo::fuzzing::CheckEachReading(data, size, CheckText);
  return 0;
}
