// The two conversions between decimal codes and Windows-1252 characters, and the reading and
// rounding steps they are made of. Pure functions: no state, no locale, no I/O.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace zentavo {

// Raised when a text cannot be turned into a code. Nothing in this library catches it.
class ConversionFailure : public std::exception {
 public:
  enum class Kind {
    Overflow,         // the number is outside -32768..32767 (or outside a double's range)
    InvalidArgument,  // the number is a 16-bit value but no code, i.e. outside 0..255
  };

  explicit ConversionFailure(Kind kind) noexcept : kind_(kind) {}

  [[nodiscard]] Kind kind() const noexcept { return kind_; }
  // "overflow" or "invalid argument".
  [[nodiscard]] const char* what() const noexcept override;

 private:
  Kind kind_;
};

// The value of the number at the start of `text`, 0 when no number starts it.
//
// Spaces, tabs and line feeds are removed wherever they stand ("6 5" reads 65); then the
// longest prefix that forms a number is read and the rest ignored. A number is either
//  - decimal: optional + or -, ASCII digits with at most one period anywhere among them
//    (".6", "6.", "6.5"), then optionally an exponent: E, e, D or d, an optional sign, and at
//    least one digit. An exponent letter not followed by digits ends the number before it
//    ("1e" and "1e+" read 1). The value is the double nearest to the decimal, however many
//    digits it has; a magnitude too small for a double reads as zero or the nearest
//    subnormal.
//  - prefixed integer: "&H" and hexadecimal digits, or "&O" and octal digits (letters in
//    either case; "&H" alone reads 0). The digits give an unsigned value which is then read
//    in two's complement at the narrowest of 16 or 32 bits that holds it: "&H7FFF" is 32767,
//    "&HFFFF" is -1, "&H10000" is 65536, "&HFFFFFFFF" is -1. Leading zeros do not count
//    toward the width. "&" followed by anything else (digits included) starts no number.
// Only ASCII digits are digits. Raises ConversionFailure(Overflow) when the magnitude is above
// the largest double, or a prefixed integer needs more than 32 bits.
[[nodiscard]] double ReadLeadingNumber(std::u16string_view text);

// `value` rounded to the nearest integer, halves to even (0.5 -> 0, 1.5 -> 2, -0.5 -> 0).
// Raises ConversionFailure(Overflow) when the rounded value is outside -32768..32767, and for
// NaN or an infinity.
[[nodiscard]] std::int16_t RoundToInt16(double value);

// The one-character text whose Windows-1252 code `text` denotes (read and rounded as above).
// Code 0 gives a text holding the single character U+0000, never an empty text.
// Raises ConversionFailure(Overflow) when the code rounds outside the 16-bit range, and
// ConversionFailure(InvalidArgument) when it rounds inside it but outside 0..255.
[[nodiscard]] std::u16string CodeToCharacter(std::u16string_view text);

// The decimal Windows-1252 code ("0".."255", no sign, no leading zeros) of the first
// character of `text`, or "32" (a space) when `text` is empty. A first character outside
// Windows-1252, a lone surrogate included, gives "63", the code of '?'. Never fails.
[[nodiscard]] std::u16string CharacterToCode(std::u16string_view text);

}  // namespace zentavo
