#include "code_forms.h"

#include <algorithm>
#include <string>

#include "character_finder.h"
#include "code_notation.h"
#include "code_pages.h"
#include "windows1252.h"

namespace zentavo {
namespace {

// "E2 80 93": the UTF-8 bytes of one code point.
std::optional<char32_t> Utf8BytesForm(std::u16string_view text) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadByteNotation(text);
  return bytes ? DecodeOneUtf8(*bytes) : std::nullopt;
}

// "â€“": a character's UTF-8 bytes shown as the characters of a code page, Windows-1252's where
// `page` is null.
std::optional<char32_t> MisreadingForm(std::u16string_view text, const CodePageTable* page) {
  if (text.size() < 2 || text.size() > 4) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  for (const char16_t character : text) {
    if (page == nullptr) {
      const std::optional<std::uint8_t> code = CodeForCharacter(character);
      if (!code) return std::nullopt;
      bytes.push_back(*code);
      continue;
    }
    const std::vector<std::uint8_t> found = page->BytesOf(character);
    if (found.empty()) return std::nullopt;
    bytes.push_back(found.front());
  }
  return DecodeOneUtf8(bytes);
}

// The pages a misreading is read in after Windows-1252: the DOS pages first, then the others.
std::vector<const CodePageTable*> MisreadingPages(const std::vector<const CodePageTable*>& dos,
                                                  const std::vector<const CodePageTable*>& other) {
  std::vector<const CodePageTable*> pages = dos;
  for (const CodePageTable* page : other) {
    if (std::ranges::none_of(
            pages, [&](const CodePageTable* each) { return each->Number() == page->Number(); })) {
      pages.push_back(page);
    }
  }
  return pages;
}

// What HTML makes of "&#150;": numbers 128 to 159 are read as Windows-1252's bytes.
char32_t HtmlNumber(std::uint32_t number) {
  if (number >= 0x80 && number <= 0x9F) return CharacterForCode(static_cast<std::uint8_t>(number));
  return number;
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
  if (const std::optional<std::uint32_t> number = ReadNumericReference(text)) {
    reading.CodePoint(HtmlNumber(*number));
  } else if (text.size() >= 2 && text.front() == u'&' && text[1] != u'#') {
    text.remove_prefix(1);
    if (text.back() == u';') text.remove_suffix(1);
    reading.NamedReference(text);
  }
}

}  // namespace

CodeFormReading ReadCodeForms(std::u16string_view query,
                              const std::vector<const CodePageTable*>& dos_pages,
                              const std::vector<const CodePageTable*>& other_pages) {
  const std::u16string_view text = TrimBlanks(query);
  Reading reading;
  // A blank alone is the blank itself; around anything else, blanks are not part of the form.
  const std::u16string_view lone = ReadOneCodePoint(query) ? query : text;
  if (text.empty() && lone.empty()) return std::move(reading).Taken();
  reading.Code(ReadDigits(text, 10));
  reading.CodePoint(ReadOneCodePoint(lone));
  reading.CodePoint(ReadCodePointNotation(text));
  reading.CodePoint(ReadUnicodeEscape(text));
  if (const std::optional<std::uint32_t> number = ReadHexadecimalLiteral(text)) {
    if (*number <= 0xFF) {
      reading.Code(number);  // a byte of the code page
    } else {
      reading.CodePoint(number);
    }
  }
  reading.Code(ReadHexadecimalNotation(text));
  reading.Code(ReadOctalNotation(text));
  if (const std::optional<AltKeystroke> alt = ReadAltNotation(text)) {
    if (alt->page == AltPage::Windows) {
      reading.Code(alt->byte);
    } else {
      for (const CodePageTable* page : dos_pages)
        reading.CodePoint(page->TypedCharacterOf(alt->byte));
    }
  }
  ReadHtmlReference(text, reading);
  reading.CodePoint(Utf8BytesForm(text));
  reading.CodePoint(MisreadingForm(text, nullptr));
  for (const CodePageTable* page : MisreadingPages(dos_pages, other_pages)) {
    reading.CodePoint(MisreadingForm(text, page));
  }
  return std::move(reading).Taken();
}

}  // namespace zentavo
