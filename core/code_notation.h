// How a code or a character is written down: every notation the program writes and reads, each
// reader beside its writer and its inverse, on std::to_chars and std::from_chars, in the UTF-16
// the boxes hold. The conversion, stepping, the finder and the details all write and read codes
// here; no other code spells a digit, a prefix or a blank.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

// `ascii` as UTF-16, one code unit a byte: for names the data holds in ASCII.
[[nodiscard]] std::u16string Widen(std::string_view ascii);

// Whether the upper row passes over `character` wherever it stands in a number: a space, a tab or
// a line feed.
[[nodiscard]] bool IsBlankInNumber(char16_t character);
// `text` without the spaces and tabs around it, which are no part of a written form.
[[nodiscard]] std::u16string_view TrimBlanks(std::u16string_view text);

// `value`'s digits in `base` (2 to 36), letters in upper case, zero-padded to `minimum_digits`.
[[nodiscard]] std::u16string Digits(std::uint32_t value, int base, int minimum_digits = 1);

// "150": a code as CharacterToCode writes it, with no sign and no leading zero.
[[nodiscard]] std::u16string DecimalNotation(std::uint32_t value);
// The code `text` writes in DecimalNotation, "0" to "255", and nothing for any other text
// ("065", "+65", "256").
[[nodiscard]] std::optional<std::uint8_t> ReadDecimalCode(std::u16string_view text);

// "&H96" and "&O226": a code as the upper row reads it back.
[[nodiscard]] std::u16string HexadecimalNotation(std::uint8_t code);
[[nodiscard]] std::u16string OctalNotation(std::uint8_t code);
// Which of these the upper row reads `text` in: "&H" or "&O", in either case, as its first two
// characters that are no blank in a number; decimal otherwise.
enum class CodeNotation { Decimal, Hexadecimal, Octal };
[[nodiscard]] CodeNotation NotationOfCode(std::u16string_view text);
// The number "&H96" or "&O226" writes, prefix in either case, at most eight digits.
[[nodiscard]] std::optional<std::uint32_t> ReadHexadecimalNotation(std::u16string_view text);
[[nodiscard]] std::optional<std::uint32_t> ReadOctalNotation(std::u16string_view text);

// "U+2013": a code point, four hexadecimal digits at least; read back with "u+" too.
[[nodiscard]] std::u16string CodePointNotation(char32_t code_point);
[[nodiscard]] std::optional<std::uint32_t> ReadCodePointNotation(std::u16string_view text);
// "&#8211;": HTML's numeric reference, in decimal; read back in hexadecimal too ("&#x2013;"),
// the semicolon left out or not, as HTML reads it. The number read is HTML's to interpret.
[[nodiscard]] std::u16string NumericReference(char32_t code_point);
[[nodiscard]] std::optional<std::uint32_t> ReadNumericReference(std::u16string_view text);
// "\u2013": the escape C, Java, JavaScript and JSON read; a code point of the Basic Multilingual
// Plane only.
[[nodiscard]] std::u16string UnicodeEscape(char16_t character);
[[nodiscard]] std::optional<std::uint32_t> ReadUnicodeEscape(std::u16string_view text);
// "0x96": the number a C literal in hexadecimal writes; nothing writes it, people type it.
[[nodiscard]] std::optional<std::uint32_t> ReadHexadecimalLiteral(std::u16string_view text);

// The UTF-8 bytes of a code point (one to four; none for a surrogate or past U+10FFFF).
[[nodiscard]] std::vector<std::uint8_t> Utf8Of(char32_t code_point);
// The one code point `bytes` encode in UTF-8, read strictly: no overlong form, no surrogate,
// nothing past U+10FFFF, no byte left over.
[[nodiscard]] std::optional<char32_t> DecodeOneUtf8(const std::vector<std::uint8_t>& bytes);
// The UTF-16 code units of a code point: one, or a surrogate pair past U+FFFF; none for a lone
// surrogate or past U+10FFFF.
[[nodiscard]] std::u16string Utf16Of(char32_t code_point);
// The one code point `text` holds in UTF-16: one unit that is no surrogate, or one pair.
[[nodiscard]] std::optional<char32_t> ReadOneCodePoint(std::u16string_view text);

// "E2 80 93": bytes in hexadecimal, two digits each, a blank between each two.
[[nodiscard]] std::u16string ByteNotation(const std::vector<std::uint8_t>& bytes);
// The bytes `text` writes in ByteNotation, each two hexadecimal digits, one blank or tab
// between each two.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadByteNotation(std::u16string_view text);

// The keystrokes Windows types a byte of a code page with, the number on the numeric keypad
// while Alt is held: "Alt+0150" in the Windows (ANSI) code page, "Alt+130" in the DOS (OEM) one.
[[nodiscard]] std::u16string WindowsAltNotation(std::uint8_t byte);
[[nodiscard]] std::u16string DosAltNotation(std::uint8_t byte);
// A number typed with Alt held, as Windows takes it: "Alt+" and decimal digits. A leading zero
// makes it a byte of the Windows code page, otherwise of the DOS one; a number past 255 is taken
// modulo 256, as Windows does ("Alt+386" is "Alt+130"). Case is ignored in "Alt".
enum class AltPage { Windows, Dos };
struct AltKeystroke {
  AltPage page;
  std::uint8_t byte;
};
[[nodiscard]] std::optional<AltKeystroke> ReadAltNotation(std::u16string_view text);

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

}  // namespace zentavo
