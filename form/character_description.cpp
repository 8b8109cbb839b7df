#include "character_description.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "character_details.h"
#include "character_picture.h"
#include "code_notation.h"
#include "code_pages.h"
#include "windows1252.h"

namespace zentavo {
namespace {

// How the same details read for the eye and for the ear.
struct Style {
  std::u16string_view separator;
  std::u16string_view line_break;
  std::u16string_view types;    // between a keystroke and what it types instead
  std::u16string_view or_else;  // between two ways of typing a character
  bool spoken;
};
constexpr Style kTooltip{u" \u00B7 ", u"\n", u" \u2192 ", u" \u00B7 ", false};
constexpr Style kSpeech{u", ", u", ", u" types / digita ", u" or / ou ", true};

std::u16string Hex(std::uint8_t byte) { return Digits(byte, 16, 2); }

// The Windows-1252 code of a character the boxes would draw as a picture (a control, the
// no-break space, the soft hyphen); nothing for any other.
std::optional<std::uint8_t> PicturedCodeOf(char32_t character) {
  const std::optional<std::uint8_t> code =
      character <= 0xFFFF ? CodeForCharacter(static_cast<char16_t>(character)) : std::nullopt;
  return code && HasNoDistinctGlyph(*code) ? code : std::nullopt;
}

// A character of another code page in a line: itself; the words of its picture where the boxes
// would draw one (NBSP, SHY, the controls' abbreviations); "control" for a control Windows-1252
// lacks; the code point of one for private use (Mac Roman's Apple logo), which no font can be
// trusted to draw alike.
std::u16string Shown(char32_t character) {
  if (character >= 0x80 && character <= 0x9F) return u"control / controle";
  if (const std::optional<std::uint8_t> code = PicturedCodeOf(character)) return PictureText(*code);
  if (character >= 0xE000 && character <= 0xF8FF) return CodePointNotation(character);
  return Utf16Of(character);
}

// The pages' names, a run of DOS pages named once: "ISO-8859-1, DOS 850, 437".
std::u16string PageNames(const std::vector<const CodePageTable*>& pages) {
  std::u16string names;
  bool after_dos = false;
  for (const CodePageTable* page : pages) {
    const bool dos = page->Kind() == CodePageKind::Dos;
    if (!names.empty()) names += u", ";
    names += dos && after_dos ? DecimalNotation(page->Number()) : CodePageName(*page);
    after_dos = dos;
  }
  return names;
}

// What `bytes` show when read in `page`: a byte whose character would be drawn as a picture
// (a control, the no-break space, the soft hyphen) as "[AD]", or " byte AD" for the ear.
std::u16string Misreading(const std::vector<std::uint8_t>& bytes, const CodePageTable* page,
                          const Style& style) {
  std::u16string text;
  for (const std::uint8_t byte : bytes) {
    const char32_t character =
        page != nullptr ? page->CharacterOf(byte).value_or(U'\uFFFD') : CharacterForCode(byte);
    if (!IsControlCharacter(character) && !PicturedCodeOf(character)) {
      text += Utf16Of(character);
    } else {
      text += style.spoken ? u" byte " + Digits(byte, 16) : u"[" + Digits(byte, 16) + u"]";
    }
  }
  return text;
}

struct DosKeystroke {
  std::uint8_t byte;
  std::vector<unsigned> pages;                               // where it types the character
  std::vector<std::pair<unsigned, char32_t>> types_instead;  // where it types another
};

// No keystroke types a control character: Alt+0 types nothing, and Alt+1 to Alt+31 their
// pictures.
std::vector<DosKeystroke> DosKeystrokes(char32_t character, const CodePageSetting& setting) {
  std::vector<DosKeystroke> keystrokes;
  if (IsControlCharacter(character)) return keystrokes;
  for (const CodePageTable* page : setting.dos_pages) {
    for (const std::uint8_t byte : page->TypedBytesOf(character)) {
      auto found = std::find_if(keystrokes.begin(), keystrokes.end(),
                                [byte](const DosKeystroke& each) { return each.byte == byte; });
      if (found == keystrokes.end()) found = keystrokes.insert(keystrokes.end(), {byte, {}, {}});
      found->pages.push_back(page->Number());
    }
  }
  for (DosKeystroke& keystroke : keystrokes) {
    for (const CodePageTable* page : setting.dos_pages) {
      if (std::ranges::find(keystroke.pages, page->Number()) != keystroke.pages.end()) continue;
      const std::optional<char32_t> other = page->TypedCharacterOf(keystroke.byte);
      if (other && *other != character)
        keystroke.types_instead.emplace_back(page->Number(), *other);
    }
  }
  return keystrokes;
}

// "Alt+198 (850; 437 → ╞)".
std::u16string DosKeystrokeText(const DosKeystroke& keystroke, const Style& style) {
  std::u16string text = DosAltNotation(keystroke.byte) + u" (";
  for (std::size_t i = 0; i < keystroke.pages.size(); ++i) {
    text += (i == 0 ? u"" : u", ") + DecimalNotation(keystroke.pages[i]);
  }
  for (const auto& [page, other] : keystroke.types_instead) {
    text += u"; " + DecimalNotation(page) + std::u16string(style.types) + Shown(other);
  }
  return text + u")";
}

std::u16string Joined(const std::vector<std::u16string>& items, std::u16string_view separator) {
  std::u16string joined;
  for (const std::u16string& item : items) {
    if (!joined.empty()) joined += separator;
    joined += item;
  }
  return joined;
}

// How the keyboard in use types the character, where the layout could be read.
std::u16string ThisKeyboardLine(std::uint8_t code, const KeyboardWays* keyboard,
                                const Style& style) {
  if (keyboard == nullptr || keyboard->Of(code).empty()) return {};
  std::vector<std::u16string> ways;
  for (const TypingWay& way : keyboard->Of(code)) ways.push_back(WayText(way, style.spoken));
  const std::u16string_view title =
      keyboard->SystemLayout()
          ? u"This keyboard (system layout) / Este teclado (layout do sistema): "
          : u"This keyboard / Este teclado: ";
  return std::u16string(title) + Joined(ways, style.or_else);
}

// This PC's own keystrokes, where its pages are known: what types the character here, or what
// the keystroke that types it elsewhere types here instead.
std::u16string ThisPcLine(const CharacterDetails& details, const CodePageSetting& setting,
                          const Style& style) {
  if (setting.this_pc_dos == nullptr && setting.this_pc_windows == nullptr) return {};
  std::vector<std::u16string> items;
  const char32_t character = details.character;
  const bool typed_in_windows = details.is_defined && !details.is_control;
  if (const CodePageTable* windows = setting.this_pc_windows) {
    const std::u16string page = u" (" + DecimalNotation(windows->Number()) + u")";
    const std::vector<std::uint8_t> bytes = windows->BytesOf(character);
    for (const std::uint8_t byte : bytes) items.push_back(WindowsAltNotation(byte) + page);
    const std::optional<char32_t> here = windows->CharacterOf(details.code);
    if (bytes.empty() && typed_in_windows && here) {
      items.push_back(WindowsAltNotation(details.code) + std::u16string(style.types) +
                      Shown(*here) + page);
    }
  } else if (typed_in_windows) {
    items.push_back(WindowsAltNotation(details.code) + u" (1252)");
  }
  if (const CodePageTable* dos = setting.this_pc_dos) {
    const std::u16string page = u" (" + DecimalNotation(dos->Number()) + u")";
    const std::vector<std::uint8_t> bytes =
        IsControlCharacter(character) ? std::vector<std::uint8_t>() : dos->TypedBytesOf(character);
    for (const std::uint8_t byte : bytes) items.push_back(DosAltNotation(byte) + page);
    const std::vector<DosKeystroke> elsewhere = DosKeystrokes(character, setting);
    if (bytes.empty() && !elsewhere.empty()) {
      const std::optional<char32_t> here = dos->TypedCharacterOf(elsewhere.front().byte);
      if (here) {
        items.push_back(DosAltNotation(elsewhere.front().byte) + std::u16string(style.types) +
                        Shown(*here) + page);
      }
    }
  }
  if (items.empty()) return {};
  return u"This PC / Este PC: " + Joined(items, style.separator);
}

std::u16string KeystrokeLine(const CharacterDetails& details, const CodePageSetting& setting,
                             const Style& style) {
  if (details.is_control) return u"Control character / Caractere de controle";
  if (!details.is_defined) return {};
  std::u16string line = u"Windows: " + WindowsAltNotation(details.code);
  std::vector<std::u16string> dos;
  for (const DosKeystroke& keystroke : DosKeystrokes(details.character, setting)) {
    dos.push_back(DosKeystrokeText(keystroke, style));
  }
  if (!dos.empty())
    line += std::u16string(style.separator) + u"DOS: " + Joined(dos, style.separator);
  return line;
}

std::u16string Utf8Line(const CharacterDetails& details, const CodePageSetting& setting,
                        const Style& style) {
  const std::vector<std::uint8_t> bytes = Utf8Of(details.character);
  std::u16string line = u"UTF-8: " + ByteNotation(bytes);
  if (bytes.size() > 1) {
    line += std::u16string(style.separator) + u"read as Windows-1252: " +
            Misreading(bytes, nullptr, style);
    if (const CodePageTable* dos_850 = KnownPage(setting, 850)) {
      line += std::u16string(style.separator) + u"DOS 850: " + Misreading(bytes, dos_850, style);
    }
  }
  return line;
}

// Items "value (pages)", pages with the same value together, in the order of the pages.
class GroupedByValue {
 public:
  void Add(std::u16string value, const CodePageTable* page) {
    auto found = std::find_if(groups_.begin(), groups_.end(),
                              [&](const auto& group) { return group.first == value; });
    if (found == groups_.end()) {
      groups_.emplace_back(std::move(value), std::vector<const CodePageTable*>());
      found = std::prev(groups_.end());
    }
    found->second.push_back(page);
  }
  [[nodiscard]] std::vector<std::u16string> Items() const {
    std::vector<std::u16string> items;
    for (const auto& [value, pages] : groups_)
      items.push_back(value + u" (" + PageNames(pages) + u")");
    return items;
  }

 private:
  std::vector<std::pair<std::u16string, std::vector<const CodePageTable*>>> groups_;
};

// The character's byte in the other pages, where it is not its Windows-1252 code.
std::u16string ItsByteElsewhereLine(const CharacterDetails& details, const CodePageSetting& setting,
                                    const Style& style) {
  if (!details.is_defined) return {};
  GroupedByValue bytes;
  std::vector<const CodePageTable*> lacking;
  for (const CodePageTable* page : setting.known_pages) {
    const std::vector<std::uint8_t> found = page->BytesOf(details.character);
    if (found == std::vector<std::uint8_t>{details.code}) continue;
    if (found.empty()) {
      lacking.push_back(page);
      continue;
    }
    std::vector<std::u16string> each;
    each.reserve(found.size());
    for (const std::uint8_t byte : found) each.push_back(Hex(byte));
    bytes.Add(Joined(each, u" "), page);
  }
  std::vector<std::u16string> items = bytes.Items();
  if (!lacking.empty()) items.push_back(u"none / nenhum (" + PageNames(lacking) + u")");
  if (items.empty()) return {};
  return u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: " + Joined(items, style.separator);
}

// What the code's byte is in the other pages, where it is not the Windows-1252 character.
std::u16string ByteElsewhereLine(const CharacterDetails& details, const CodePageSetting& setting,
                                 const Style& style) {
  GroupedByValue characters;
  for (const CodePageTable* page : setting.known_pages) {
    const std::optional<char32_t> other = page->TypedCharacterOf(details.code);
    if (other && *other != details.character) characters.Add(Shown(*other), page);
  }
  const std::vector<std::u16string> items = characters.Items();
  if (items.empty()) return {};
  const std::u16string byte = Hex(details.code);
  return u"Byte " + byte + u" elsewhere / O byte " + byte + u" em outras p\u00E1ginas: " +
         Joined(items, style.separator);
}

std::u16string Describe(std::uint8_t code, const CodePageSetting& setting,
                        const KeyboardWays* keyboard, const Style& style) {
  const CharacterDetails details = DetailsOfCode(code);
  std::vector<std::u16string> lines = {NameToTell(code)};
  lines.push_back(Joined({DecimalNotation(code), HexadecimalNotation(code), OctalNotation(code),
                          CodePointNotation(details.character)},
                         style.separator));
  lines.push_back(ThisKeyboardLine(code, keyboard, style));
  lines.push_back(ThisPcLine(details, setting, style));
  lines.push_back(KeystrokeLine(details, setting, style));
  if (details.is_defined) lines.push_back(Utf8Line(details, setting, style));
  lines.push_back(ItsByteElsewhereLine(details, setting, style));
  lines.push_back(ByteElsewhereLine(details, setting, style));
  std::erase_if(lines, [](const std::u16string& line) { return line.empty(); });
  return Joined(lines, style.line_break);
}

}  // namespace

std::u16string NameToTell(std::uint8_t code) {
  const CharacterDetails details = DetailsOfCode(code);
  if (!details.is_defined) return u"Undefined in Windows-1252 / N\u00E3o definido no Windows-1252";
  return Widen(details.name);
}

std::u16string DescribeForTooltip(std::uint8_t code, const CodePageSetting& setting,
                                  const KeyboardWays* keyboard) {
  return Describe(code, setting, keyboard, kTooltip);
}

std::u16string DescribeForSpeech(std::uint8_t code, const CodePageSetting& setting,
                                 const KeyboardWays* keyboard) {
  return Describe(code, setting, keyboard, kSpeech);
}

}  // namespace zentavo
