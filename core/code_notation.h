// How a code or a character is written down: every notation the program writes and reads, each
// reader the inverse of its writer, on std::to_chars and std::from_chars. The conversion, the
// finder and the details all write and read codes here; no other code spells a digit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

// `ascii` as UTF-16, one code unit a byte: for the notations below, which are ASCII.
[[nodiscard]] std::u16string Widen(std::string_view ascii);

// `value`'s digits in `base` (2 to 36), letters in upper case, zero-padded to `minimum_digits`.
[[nodiscard]] std::string Digits(std::uint32_t value, int base, int minimum_digits = 1);

// "150": a code as CharacterToCode writes it, with no sign and no leading zero.
[[nodiscard]] std::string DecimalNotation(std::uint32_t value);
// "&H96" and "&O226": a code as the upper row reads it back.
[[nodiscard]] std::string HexadecimalNotation(std::uint8_t code);
[[nodiscard]] std::string OctalNotation(std::uint8_t code);
// "U+2013": a code point, four hexadecimal digits at least.
[[nodiscard]] std::string CodePointNotation(char32_t code_point);
// "&#8211;": HTML's numeric reference, in decimal.
[[nodiscard]] std::string NumericReference(char32_t code_point);
// "\u2013": the escape C, Java, JavaScript and JSON read; a code point of the Basic Multilingual
// Plane only.
[[nodiscard]] std::string UnicodeEscape(char16_t character);

// The UTF-8 bytes of a code point (one to four; none for a surrogate or past U+10FFFF).
[[nodiscard]] std::vector<std::uint8_t> Utf8Of(char32_t code_point);
// The UTF-16 code units of a code point: one, or a surrogate pair past U+FFFF; none for a lone
// surrogate or past U+10FFFF.
[[nodiscard]] std::u16string Utf16Of(char32_t code_point);
// "E2 80 93": bytes in hexadecimal, two digits each, a blank between each two.
[[nodiscard]] std::string ByteNotation(const std::vector<std::uint8_t>& bytes);

// The keystrokes Windows types a byte of a code page with, the number on the numeric keypad
// while Alt is held: "Alt+0150" in the Windows (ANSI) code page, "Alt+130" in the DOS (OEM) one.
[[nodiscard]] std::string WindowsAltNotation(std::uint8_t byte);
[[nodiscard]] std::string DosAltNotation(std::uint8_t byte);

// Whether `text` begins with `prefix`, written in lower case, an ASCII letter of `text` in either
// case: how every prefix of a notation is read ("U+", "0x", "&H", "Alt+").
[[nodiscard]] bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

// The number `digits` writes in `base`: every character a digit of that base, at least one and
// at most `maximum_digits` of them; nothing otherwise.
[[nodiscard]] std::optional<std::uint32_t> ReadDigits(std::u16string_view digits, int base,
                                                      std::size_t maximum_digits = 8);
// The same for ASCII digits of any length, leading zeros included; nothing where the value does
// not fit 64 bits.
[[nodiscard]] std::optional<std::uint64_t> ReadUnsigned(std::string_view digits, int base);

// The code `text` writes in DecimalNotation, "0" to "255", and nothing for any other text
// ("065", "+65", "256").
[[nodiscard]] std::optional<std::uint8_t> ReadDecimalCode(std::u16string_view text);

// The bytes `text` writes in ByteNotation ("E2 80 93"), each two hexadecimal digits, one blank
// or tab between each two.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadByteNotation(std::u16string_view text);

// The one code point `bytes` encode in UTF-8, read strictly: no overlong form, no surrogate,
// nothing past U+10FFFF, no byte left over.
[[nodiscard]] std::optional<char32_t> DecodeOneUtf8(const std::vector<std::uint8_t>& bytes);

// A number typed with Alt held, as Windows takes it: "Alt+" and decimal digits. A leading zero
// makes it a byte of the Windows code page, otherwise of the DOS one; a number past 255 is taken
// modulo 256, as Windows does ("Alt+386" is "Alt+130"). Case is ignored in "Alt".
enum class AltPage { Windows, Dos };
struct AltKeystroke {
  AltPage page;
  std::uint8_t byte;
};
[[nodiscard]] std::optional<AltKeystroke> ReadAltNotation(std::u16string_view text);

}  // namespace zentavo
