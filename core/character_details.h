// What Zentavo tells about each of the 256 codes beyond the character itself: its name from
// the Unicode Character Database, the notations the upper row reads, and the Windows keystroke
// that types it. Plain data and text, shared by every front end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

struct CharacterDetails {
  std::uint8_t code;
  char16_t character;  // what a text box holds for the code
  // The Unicode name ("EN DASH"); a control character's Unicode 1.0 name or alias ("NULL",
  // "LINE FEED (LF)"). Empty for the five codes Windows-1252 leaves undefined.
  std::string_view name;
  std::string_view abbreviation;  // "LF", "NBSP", "SHY"; empty where Unicode gives none
  bool is_defined;                // false for 129, 141, 143, 144 and 157
  bool is_control;                // 0-31 and 127
};

[[nodiscard]] CharacterDetails DetailsOfCode(std::uint8_t code) noexcept;

// "U+2013": the character's code point, four hexadecimal digits at least.
[[nodiscard]] std::string CodePointNotation(char16_t character);
// "&H96" and "&O226": the code as the upper row reads it back.
[[nodiscard]] std::string HexadecimalNotation(std::uint8_t code);
[[nodiscard]] std::string OctalNotation(std::uint8_t code);
// "E2 80 93": the character's UTF-8 bytes in hexadecimal, a space between each two.
[[nodiscard]] std::string Utf8Bytes(char16_t character);

// What the character's UTF-8 bytes show when they are wrongly read as Windows-1252 text, as
// UTF-8 does in a program that takes it for this code page: "â€“" for the en
// dash. The character itself for ASCII, whose UTF-8 is its own code.
[[nodiscard]] std::u16string Utf8ReadAsWindows1252(char16_t character);

// "&ndash;": the named reference HTML gives the character; empty where it gives none.
[[nodiscard]] std::string_view HtmlNamedReference(char16_t character);

// Every form "Copy as" offers for the code, in order, each exactly as it is copied: "150",
// "&H96", "U+2013", "&ndash;", "&#8211;", "\u2013", "E2 80 93", "Alt+0150". The named
// reference falls back to the numeric one where HTML names none, and a form the same as the
// one before it is given once. What does not exist is left out: the keystroke where Windows
// has none, and every form of the character itself for the five codes Windows-1252 leaves
// undefined.
[[nodiscard]] std::vector<std::u16string> CopyForms(std::uint8_t code);

// "Alt+0150", the keystroke that types the character on Windows; empty for control codes and
// undefined codes, which no keystroke types.
[[nodiscard]] std::string AltKeystroke(std::uint8_t code);

// True where a box holding the character would show nothing a reader can see or tell apart
// from a blank or a hyphen: control codes, undefined codes, the no-break space and the soft
// hyphen. The text a box shows for them instead is `abbreviation`, or the code in hexadecimal.
[[nodiscard]] bool HasNoDistinctGlyph(std::uint8_t code) noexcept;
[[nodiscard]] std::u16string PictureText(std::uint8_t code);

// The name to tell a person: the Unicode name, or that Windows-1252 leaves the code undefined.
[[nodiscard]] std::u16string NameToTell(std::uint8_t code);

// Everything above in a few lines for a tooltip:
//   EN DASH
//   150 · &H96 · &O226 · U+2013
//   Windows: Alt+0150
//   UTF-8: E2 80 93 · read as Windows-1252: â€“
// (the misreading only where it differs from the character; no UTF-8 for an undefined code).
// A byte of the misreading whose character the boxes draw as a picture (a control, an undefined
// code, the no-break space, the soft hyphen) shows as "[AD]" in the tooltip and " byte AD" in
// speech ("Ã[AD]" for í), never as a character no one could see or tell from a blank.
[[nodiscard]] std::u16string DescribeForTooltip(std::uint8_t code);
// The same in one line for a screen reader, with commas where a reader would pause.
[[nodiscard]] std::u16string DescribeForSpeech(std::uint8_t code);

// The code of the character in `text` when `text` is exactly one Windows-1252 character.
[[nodiscard]] std::optional<std::uint8_t> CodeOfLoneCharacter(std::u16string_view text);
// The code `text` gives in decimal when it is one, "0" to "255" as CharacterToCode writes it.
[[nodiscard]] std::optional<std::uint8_t> CodeOfDecimalText(std::u16string_view text);

}  // namespace zentavo
