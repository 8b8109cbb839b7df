// Reads the written forms of a code that the finder takes a query for: what Copy as gives, what
// the details show, and what a wrong decoding makes of a character.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "character_finder.h"
#include "windows1252.h"

namespace zentavo {
namespace {

bool IsBlank(char16_t character) { return character == u' ' || character == u'\t'; }

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int DigitValue(char16_t character, int base) {
  int value = 99;
  if (character >= u'0' && character <= u'9') value = character - u'0';
  if (character >= u'a' && character <= u'f') value = character - u'a' + 10;
  if (character >= u'A' && character <= u'F') value = character - u'A' + 10;
  return value < base ? value : -1;
}

// The number `digits` writes in `base`: all of it digits, at most 8 of them, none missing.
std::optional<std::uint32_t> Number(std::u16string_view digits, int base) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char16_t digit : digits) {
    const int each = DigitValue(digit, base);
    if (each < 0) return std::nullopt;
    value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(each);
  }
  return value;
}

bool StartsWithFolded(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char16_t character = text[i];
    const char16_t lower = character >= u'A' && character <= u'Z' ? character + 32 : character;
    if (lower != prefix[i]) return false;
  }
  return true;
}

// The one code point UTF-8 `bytes` encode, read strictly: no overlong form, no surrogate.
std::optional<char32_t> OneUtf8CodePoint(const std::vector<std::uint8_t>& bytes) {
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
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  return value;
}

// "E2 80 93": two hexadecimal digits a byte, a blank between each two.
std::optional<char32_t> Utf8BytesForm(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  while (!text.empty()) {
    if (text.size() < 2) return std::nullopt;
    const std::optional<std::uint32_t> byte = Number(text.substr(0, 2), 16);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*byte));
    text.remove_prefix(2);
    if (!text.empty()) {
      if (!IsBlank(text.front())) return std::nullopt;
      text.remove_prefix(1);
    }
  }
  return OneUtf8CodePoint(bytes);
}

// "â€“": a character's UTF-8 bytes shown as Windows-1252 characters.
std::optional<char32_t> MisreadingForm(std::u16string_view text) {
  if (text.size() < 2 || text.size() > 4) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  for (const char16_t character : text) {
    const std::optional<std::uint8_t> code = CodeForCharacter(character);
    if (!code) return std::nullopt;
    bytes.push_back(*code);
  }
  return OneUtf8CodePoint(bytes);
}

// What HTML makes of "&#150;": numbers 128 to 159 are read as Windows-1252's bytes.
char32_t HtmlNumber(std::uint32_t number) {
  if (number >= 0x80 && number <= 0x9F) return CharacterForCode(static_cast<std::uint8_t>(number));
  return number;
}

std::optional<char32_t> LoneCodePoint(std::u16string_view text) {
  if (text.size() == 1 && (text[0] < 0xD800 || text[0] > 0xDFFF)) return text[0];
  if (text.size() == 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 &&
      text[1] <= 0xDFFF) {
    return 0x10000 + ((static_cast<char32_t>(text[0]) - 0xD800) << 10) + (text[1] - 0xDC00);
  }
  return std::nullopt;
}

class Reading {
 public:
  void Code(std::optional<std::uint32_t> code) {
    if (code && *code <= 0xFF) Add(static_cast<std::uint8_t>(*code));
  }
  void CodePoint(std::optional<char32_t> code_point) {
    if (!code_point) return;
    const std::optional<std::uint8_t> code =
        *code_point <= 0xFFFF ? CodeForCharacter(static_cast<char16_t>(*code_point)) : std::nullopt;
    if (code) {
      Add(*code);
    } else if (*code_point <= 0x10FFFF && !result_.outside) {
      result_.outside = *code_point;
    }
  }
  void NamedReference(std::u16string_view name) {
    for (const CharacterTerm& term : CharacterTerms()) {
      if (term.kind == TermKind::Html && term.text == name) Add(term.code);
    }
  }
  [[nodiscard]] CodeFormReading Taken() && { return std::move(result_); }

 private:
  void Add(std::uint8_t code) {
    if (std::find(result_.codes.begin(), result_.codes.end(), code) == result_.codes.end()) {
      result_.codes.push_back(code);
    }
  }
  CodeFormReading result_;
};

void ReadHtmlReference(std::u16string_view text, Reading& reading) {
  if (text.size() < 2 || text[0] != u'&') return;
  text.remove_prefix(1);
  if (text.back() == u';') text.remove_suffix(1);
  if (!text.empty() && text[0] == u'#') {
    if (text.size() > 1 && (text[1] == u'x' || text[1] == u'X')) {
      const std::optional<std::uint32_t> number = Number(text.substr(2), 16);
      if (number) reading.CodePoint(HtmlNumber(*number));
    } else if (const std::optional<std::uint32_t> number = Number(text.substr(1), 10)) {
      reading.CodePoint(HtmlNumber(*number));
    }
    return;
  }
  reading.NamedReference(text);
}

}  // namespace

CodeFormReading ReadCodeForms(std::u16string_view query) {
  const std::u16string_view text = Trimmed(query);
  Reading reading;
  // A blank alone is the blank itself; around anything else, blanks are not part of the form.
  const std::u16string_view lone = LoneCodePoint(query) ? query : text;
  if (text.empty() && lone.empty()) return std::move(reading).Taken();
  reading.Code(Number(text, 10));
  reading.CodePoint(LoneCodePoint(lone));
  if (StartsWithFolded(text, u"u+")) reading.CodePoint(Number(text.substr(2), 16));
  if (StartsWithFolded(text, u"\\u")) reading.CodePoint(Number(text.substr(2), 16));
  if (StartsWithFolded(text, u"0x")) {
    const std::optional<std::uint32_t> number = Number(text.substr(2), 16);
    if (number && *number <= 0xFF) {
      reading.Code(number);  // a byte of the code page
    } else {
      reading.CodePoint(number);
    }
  }
  if (StartsWithFolded(text, u"&h")) reading.Code(Number(text.substr(2), 16));
  if (StartsWithFolded(text, u"&o")) reading.Code(Number(text.substr(2), 8));
  if (StartsWithFolded(text, u"alt+0")) reading.Code(Number(text.substr(4), 10));
  ReadHtmlReference(text, reading);
  reading.CodePoint(Utf8BytesForm(text));
  reading.CodePoint(MisreadingForm(text));
  return std::move(reading).Taken();
}

}  // namespace zentavo
