#include "code_notation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>

namespace zentavo {
namespace {

bool IsBlank(char16_t character) { return character == u' ' || character == u'\t'; }

// `text` narrowed to ASCII, or nothing where a character is not ASCII.
std::optional<std::string> Narrow(std::u16string_view text) {
  std::string ascii;
  ascii.reserve(text.size());
  for (const char16_t character : text) {
    if (character >= 0x80) return std::nullopt;
    ascii += static_cast<char>(character);
  }
  return ascii;
}

std::string AsciiDigits(std::uint32_t value, int base, int minimum_digits) {
  std::array<char, 40> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, base);
  std::string digits(buffer.data(), error == std::errc() ? end : buffer.data());
  std::transform(digits.begin(), digits.end(), digits.begin(), [](char digit) {
    return digit >= 'a' && digit <= 'z' ? static_cast<char>(digit - 'a' + 'A') : digit;
  });
  if (std::ssize(digits) < minimum_digits) digits.insert(0, minimum_digits - digits.size(), '0');
  return digits;
}

// The number after `prefix` (matched in any case) in `base`.
std::optional<std::uint32_t> ReadPrefixed(std::u16string_view text, std::u16string_view prefix,
                                          int base) {
  if (!StartsWithIgnoringCase(text, prefix)) return std::nullopt;
  return ReadDigits(text.substr(prefix.size()), base);
}

}  // namespace

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

bool IsBlankInNumber(char16_t character) { return IsBlank(character) || character == u'\n'; }

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char16_t want, char16_t got) {
    return want == (got >= u'A' && got <= u'Z' ? static_cast<char16_t>(got + 32) : got);
  });
}

std::u16string Digits(std::uint32_t value, int base, int minimum_digits) {
  return Widen(AsciiDigits(value, base, minimum_digits));
}

std::u16string DecimalNotation(std::uint32_t value) { return Digits(value, 10); }

std::optional<std::uint8_t> ReadDecimalCode(std::u16string_view text) {
  if (text.size() > 1 && text.front() == u'0') return std::nullopt;  // never how a code is written
  const std::optional<std::uint32_t> value = ReadDigits(text, 10, 3);
  if (!value || *value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

std::u16string HexadecimalNotation(std::uint8_t code) { return u"&H" + Digits(code, 16); }

std::u16string OctalNotation(std::uint8_t code) { return u"&O" + Digits(code, 8); }

CodeNotation NotationOfCode(std::u16string_view text) {
  std::u16string start;
  for (const char16_t character : text) {
    if (IsBlankInNumber(character)) continue;
    start += character;
    if (start.size() == 2) break;
  }
  if (StartsWithIgnoringCase(start, u"&h")) return CodeNotation::Hexadecimal;
  if (StartsWithIgnoringCase(start, u"&o")) return CodeNotation::Octal;
  return CodeNotation::Decimal;
}

std::optional<std::uint32_t> ReadHexadecimalNotation(std::u16string_view text) {
  return ReadPrefixed(text, u"&h", 16);
}

std::optional<std::uint32_t> ReadOctalNotation(std::u16string_view text) {
  return ReadPrefixed(text, u"&o", 8);
}

std::u16string CodePointNotation(char32_t code_point) { return u"U+" + Digits(code_point, 16, 4); }

std::optional<std::uint32_t> ReadCodePointNotation(std::u16string_view text) {
  return ReadPrefixed(text, u"u+", 16);
}

std::u16string NumericReference(char32_t code_point) {
  return u"&#" + Digits(code_point, 10) + u";";
}

std::optional<std::uint32_t> ReadNumericReference(std::u16string_view text) {
  if (!text.empty() && text.back() == u';') text.remove_suffix(1);
  if (const std::optional<std::uint32_t> hexadecimal = ReadPrefixed(text, u"&#x", 16)) {
    return hexadecimal;
  }
  return ReadPrefixed(text, u"&#", 10);
}

std::u16string UnicodeEscape(char16_t character) { return u"\\u" + Digits(character, 16, 4); }

std::optional<std::uint32_t> ReadUnicodeEscape(std::u16string_view text) {
  return ReadPrefixed(text, u"\\u", 16);
}

std::optional<std::uint32_t> ReadHexadecimalLiteral(std::u16string_view text) {
  return ReadPrefixed(text, u"0x", 16);
}

std::vector<std::uint8_t> Utf8Of(char32_t code_point) {
  const auto byte = [](char32_t bits) { return static_cast<std::uint8_t>(bits); };
  if (code_point < 0x80) return {byte(code_point)};
  if (code_point < 0x800) return {byte(0xC0 | code_point >> 6), byte(0x80 | (code_point & 0x3F))};
  if (code_point >= 0xD800 && code_point <= 0xDFFF) return {};
  if (code_point < 0x10000) {
    return {byte(0xE0 | code_point >> 12), byte(0x80 | (code_point >> 6 & 0x3F)),
            byte(0x80 | (code_point & 0x3F))};
  }
  if (code_point > 0x10FFFF) return {};
  return {byte(0xF0 | code_point >> 18), byte(0x80 | (code_point >> 12 & 0x3F)),
          byte(0x80 | (code_point >> 6 & 0x3F)), byte(0x80 | (code_point & 0x3F))};
}

std::optional<char32_t> DecodeOneUtf8(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty() || bytes.size() > 4) return std::nullopt;
  const std::uint8_t lead = bytes[0];
  std::size_t length = 0;
  char32_t value = 0;
  if (lead < 0x80) {
    length = 1, value = lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07u;
  } else {
    return std::nullopt;
  }
  if (bytes.size() != length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    if ((bytes[i] & 0xC0u) != 0x80u) return std::nullopt;
    value = (value << 6) | (bytes[i] & 0x3Fu);
  }
  constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  return value;
}

std::u16string Utf16Of(char32_t code_point) {
  if (code_point >= 0xD800 && code_point <= 0xDFFF) return {};
  if (code_point <= 0xFFFF) return std::u16string(1, static_cast<char16_t>(code_point));
  if (code_point > 0x10FFFF) return {};
  const char32_t above = code_point - 0x10000;
  return {static_cast<char16_t>(0xD800 + (above >> 10)),
          static_cast<char16_t>(0xDC00 + (above & 0x3FF))};
}

std::optional<char32_t> ReadOneCodePoint(std::u16string_view text) {
  const auto high = [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  const auto low = [](char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
  if (text.size() == 1 && !high(text[0]) && !low(text[0])) return text[0];
  if (text.size() == 2 && high(text[0]) && low(text[1])) {
    return 0x10000 + ((static_cast<char32_t>(text[0]) - 0xD800) << 10) + (text[1] - 0xDC00);
  }
  return std::nullopt;
}

std::u16string ByteNotation(const std::vector<std::uint8_t>& bytes) {
  std::u16string written;
  for (const std::uint8_t byte : bytes) {
    if (!written.empty()) written += u' ';
    written += Digits(byte, 16, 2);
  }
  return written;
}

std::optional<std::vector<std::uint8_t>> ReadByteNotation(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  while (!text.empty()) {
    const std::optional<std::uint32_t> byte = ReadDigits(text.substr(0, 2), 16, 2);
    if (text.size() < 2 || !byte) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*byte));
    text.remove_prefix(2);
    if (!text.empty()) {
      if (!IsBlank(text.front()) || text.size() == 1) return std::nullopt;
      text.remove_prefix(1);
    }
  }
  if (bytes.empty()) return std::nullopt;
  return bytes;
}

std::u16string WindowsAltNotation(std::uint8_t byte) { return u"Alt+" + Digits(byte, 10, 4); }

std::u16string DosAltNotation(std::uint8_t byte) { return u"Alt+" + Digits(byte, 10); }

std::optional<AltKeystroke> ReadAltNotation(std::u16string_view text) {
  if (!StartsWithIgnoringCase(text, u"alt+")) return std::nullopt;
  text.remove_prefix(4);
  const std::optional<std::uint32_t> number = ReadDigits(text, 10, 9);
  if (!number) return std::nullopt;
  return AltKeystroke{text.front() == u'0' ? AltPage::Windows : AltPage::Dos,
                      static_cast<std::uint8_t>(*number % 256)};
}

std::optional<std::uint32_t> ReadDigits(std::u16string_view digits, int base,
                                        std::size_t maximum_digits) {
  if (digits.empty() || digits.size() > maximum_digits || maximum_digits > 9) return std::nullopt;
  // from_chars takes no sign for an unsigned number, and no "0x".
  const std::optional<std::string> ascii = Narrow(digits);
  if (!ascii) return std::nullopt;
  const std::optional<std::uint64_t> value = ReadUnsigned(*ascii, base);
  if (!value || *value > 0xFFFF'FFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

std::optional<std::uint64_t> ReadUnsigned(std::string_view digits, int base) {
  std::uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace zentavo
