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

}  // namespace

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char16_t want, char16_t got) {
    return want == (got >= u'A' && got <= u'Z' ? static_cast<char16_t>(got + 32) : got);
  });
}

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

std::string Digits(std::uint32_t value, int base, int minimum_digits) {
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

std::string DecimalNotation(std::uint32_t value) { return Digits(value, 10); }

std::string HexadecimalNotation(std::uint8_t code) { return "&H" + Digits(code, 16); }

std::string OctalNotation(std::uint8_t code) { return "&O" + Digits(code, 8); }

std::string CodePointNotation(char32_t code_point) { return "U+" + Digits(code_point, 16, 4); }

std::string NumericReference(char32_t code_point) { return "&#" + Digits(code_point, 10) + ";"; }

std::string UnicodeEscape(char16_t character) { return "\\u" + Digits(character, 16, 4); }

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

std::u16string Utf16Of(char32_t code_point) {
  if (code_point >= 0xD800 && code_point <= 0xDFFF) return {};
  if (code_point <= 0xFFFF) return std::u16string(1, static_cast<char16_t>(code_point));
  if (code_point > 0x10FFFF) return {};
  const char32_t above = code_point - 0x10000;
  return {static_cast<char16_t>(0xD800 + (above >> 10)),
          static_cast<char16_t>(0xDC00 + (above & 0x3FF))};
}

std::string ByteNotation(const std::vector<std::uint8_t>& bytes) {
  std::string written;
  for (const std::uint8_t byte : bytes) {
    if (!written.empty()) written += ' ';
    written += Digits(byte, 16, 2);
  }
  return written;
}

std::string WindowsAltNotation(std::uint8_t byte) { return "Alt+" + Digits(byte, 10, 4); }

std::string DosAltNotation(std::uint8_t byte) { return "Alt+" + Digits(byte, 10); }

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

std::optional<std::uint8_t> ReadDecimalCode(std::u16string_view text) {
  if (text.size() > 1 && text.front() == u'0') return std::nullopt;  // never how a code is written
  const std::optional<std::uint32_t> value = ReadDigits(text, 10, 3);
  if (!value || *value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
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

std::optional<AltKeystroke> ReadAltNotation(std::u16string_view text) {
  if (!StartsWithIgnoringCase(text, u"alt+")) return std::nullopt;
  text.remove_prefix(4);
  const std::optional<std::uint32_t> number = ReadDigits(text, 10, 9);
  if (!number) return std::nullopt;
  return AltKeystroke{text.front() == u'0' ? AltPage::Windows : AltPage::Dos,
                      static_cast<std::uint8_t>(*number % 256)};
}

}  // namespace zentavo
