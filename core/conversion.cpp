#include "conversion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "code_notation.h"
#include "windows1252.h"

namespace zentavo {

const char* ConversionFailure::what() const noexcept {
  return kind_ == Kind::Overflow ? "overflow" : "invalid argument";
}

// Implementation details follow.
namespace {

// Reads a text one character at a time as if its spaces, tabs and line feeds were not there.
// The end of the text reads as U+0000, which no number rule accepts, so a U+0000 in the text
// ends a number exactly as the end does.
class BlankSkippingCursor {
 public:
  explicit BlankSkippingCursor(std::u16string_view text) : text_(text) { SkipBlanks(); }

  [[nodiscard]] char16_t Peek() const { return position_ < text_.size() ? text_[position_] : 0; }
  void Advance() {
    ++position_;
    SkipBlanks();
  }

 private:
  void SkipBlanks() {
    while (position_ < text_.size() && IsBlankInNumber(text_[position_])) ++position_;
  }

  std::u16string_view text_;
  std::size_t position_ = 0;
};

constexpr bool IsDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
constexpr bool IsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }
constexpr bool IsHexDigit(char16_t c) {
  return IsDecimalDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
constexpr bool IsExponentLetter(char16_t c) {
  return c == u'e' || c == u'E' || c == u'd' || c == u'D';
}

// Appends the run of digits under the cursor (narrowed to ASCII) and says whether there was one.
template <typename DigitTest>
bool TakeDigits(BlankSkippingCursor& cursor, std::string& out, DigitTest is_digit) {
  bool took_any = false;
  while (is_digit(cursor.Peek())) {
    out.push_back(static_cast<char>(cursor.Peek()));
    cursor.Advance();
    took_any = true;
  }
  return took_any;
}

// from_chars reports magnitudes beyond a double's range in both directions as out of range.
// Only the large ones are failures, so decide which one `number` (the normalised decimal
// built below) is: the sign of the decimal exponent of its leading digit is enough, since
// doubles span 1e-324 to 1e308 and nothing near 1 is ever out of range.
bool MagnitudeIsAboveDoubleRange(std::string_view number) {
  constexpr std::int64_t kSaturation = std::int64_t{1} << 60;
  std::int64_t exponent = 0;
  if (const auto e = number.find('e'); e != std::string_view::npos) {
    const std::string_view digits = number.substr(e + 1);
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    if (error == std::errc::result_out_of_range) {
      exponent = digits.front() == '-' ? -kSaturation : kSaturation;
    }
    exponent = std::clamp(exponent, -kSaturation, kSaturation);
    number = number.substr(0, e);
  }
  if (!number.empty() && number.front() == '-') number.remove_prefix(1);

  const auto point = number.find('.');
  const std::string_view integer_part = number.substr(0, point);
  const auto first_significant = integer_part.find_first_not_of('0');
  std::int64_t leading_digit_exponent = 0;
  if (first_significant != std::string_view::npos) {
    leading_digit_exponent = static_cast<std::int64_t>(integer_part.size() - first_significant) - 1;
  } else {
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : number.substr(point + 1);
    leading_digit_exponent = -static_cast<std::int64_t>(fraction.find_first_not_of('0')) - 1;
  }
  leading_digit_exponent = std::clamp(leading_digit_exponent, -kSaturation, kSaturation);
  return exponent + leading_digit_exponent > 0;
}

double ReadDecimal(BlankSkippingCursor cursor) {
  // The prefix is rebuilt in the form from_chars takes: no '+', 'e' as the only exponent letter.
  std::string number;
  if (cursor.Peek() == u'+' || cursor.Peek() == u'-') {
    if (cursor.Peek() == u'-') number.push_back('-');
    cursor.Advance();
  }
  bool has_digits = TakeDigits(cursor, number, IsDecimalDigit);
  if (cursor.Peek() == u'.') {
    number.push_back('.');
    cursor.Advance();
    has_digits = TakeDigits(cursor, number, IsDecimalDigit) || has_digits;
  }
  if (!has_digits) return 0.0;

  if (IsExponentLetter(cursor.Peek())) {
    BlankSkippingCursor exponent_cursor = cursor;
    std::string exponent = "e";
    exponent_cursor.Advance();
    if (exponent_cursor.Peek() == u'+' || exponent_cursor.Peek() == u'-') {
      if (exponent_cursor.Peek() == u'-') exponent.push_back('-');
      exponent_cursor.Advance();
    }
    if (TakeDigits(exponent_cursor, exponent, IsDecimalDigit)) number += exponent;
  }

  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (MagnitudeIsAboveDoubleRange(number)) {
      throw ConversionFailure(ConversionFailure::Kind::Overflow);
    }
    return number.front() == '-' ? -0.0 : 0.0;
  }
  return value;
}

// The cursor stands just after "&H" or "&O".
double ReadPrefixedInteger(BlankSkippingCursor cursor, int base) {
  std::string digits;
  TakeDigits(cursor, digits, base == 16 ? IsHexDigit : IsOctalDigit);
  const auto significant = digits.find_first_not_of('0');
  if (significant == std::string::npos) return 0.0;
  const std::string_view value_digits = std::string_view(digits).substr(significant);

  // Only digits were taken, so nothing read means too many of them for 64 bits.
  const std::optional<std::uint64_t> read = ReadUnsigned(value_digits, base);
  if (!read || *read > 0xFFFF'FFFFu) throw ConversionFailure(ConversionFailure::Kind::Overflow);
  const std::uint64_t value = *read;
  if (value <= 0xFFFFu) {
    return value >= 0x8000u ? static_cast<double>(value) - 0x1'0000 : static_cast<double>(value);
  }
  return value >= 0x8000'0000u ? static_cast<double>(value) - 0x1'0000'0000
                               : static_cast<double>(value);
}

}  // namespace

double ReadLeadingNumber(std::u16string_view text) {
  BlankSkippingCursor cursor(text);
  const CodeNotation notation = NotationOfCode(text);
  if (notation == CodeNotation::Decimal) return ReadDecimal(cursor);
  cursor.Advance();  // past "&H" or "&O"
  cursor.Advance();
  return ReadPrefixedInteger(cursor, notation == CodeNotation::Hexadecimal ? 16 : 8);
}

std::int16_t RoundToInt16(double value) {
  // Anything this far out overflows however it rounds; NaN fails the test too.
  if (!(std::fabs(value) < 65536.0)) throw ConversionFailure(ConversionFailure::Kind::Overflow);
  // Exact whatever the floating-point rounding mode, with no library rounding (some C libraries'
  // round() follows the mode): converting to an integer always truncates, and what is left of a
  // value this small is an exact fraction, exactly compared with a half.
  const auto whole = static_cast<std::int32_t>(value);
  const double fraction = value - whole;
  const bool odd = whole % 2 != 0;
  std::int32_t rounded = whole;
  if (fraction > 0.5 || (fraction == 0.5 && odd)) {
    ++rounded;
  } else if (fraction < -0.5 || (fraction == -0.5 && odd)) {
    --rounded;
  }
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    throw ConversionFailure(ConversionFailure::Kind::Overflow);
  }
  return static_cast<std::int16_t>(rounded);
}

std::u16string CodeToCharacter(std::u16string_view text) {
  const std::int32_t code = RoundToInt16(ReadLeadingNumber(text));
  if (code < 0 || code > 255) throw ConversionFailure(ConversionFailure::Kind::InvalidArgument);
  return std::u16string(1, CharacterForCode(static_cast<std::uint8_t>(code)));
}

std::u16string CharacterToCode(std::u16string_view text) {
  constexpr std::uint8_t kQuestionMark = '?';
  const char16_t first = text.empty() ? u' ' : text.front();
  return DecimalNotation(CodeForCharacter(first).value_or(kQuestionMark));
}

}  // namespace zentavo
