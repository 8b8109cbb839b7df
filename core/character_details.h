// What Zentavo knows of each of the 256 codes beyond the character itself: its names from the
// Unicode Character Database, whether it is a control or undefined, whether it has a glyph of
// its own, its HTML name and what its UTF-8 looks like when wrongly read as Windows-1252. Plain
// data; how a window words it is decided in form/.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// "&ndash;": the named reference HTML gives the character; empty where it gives none.
[[nodiscard]] std::string_view HtmlNamedReference(char16_t character);

// Whether HTML reads a numeric reference to `character` back as that very character, with no
// parse error: HTML reads &#0; as U+FFFD, and takes a reference to a carriage return or to any
// control but a tab, a line feed or a form feed as an error.
[[nodiscard]] bool HtmlReadsBack(char16_t character) noexcept;

// What the character's UTF-8 bytes show when they are wrongly read as Windows-1252 text, as
// UTF-8 does in a program that takes it for this code page: "â€“" for the en dash. The
// character itself for ASCII, whose UTF-8 is its own code.
[[nodiscard]] std::u16string Utf8ReadAsWindows1252(char16_t character);

// True where a box holding the character would show nothing a reader can see or tell apart
// from a blank or a hyphen: control codes, undefined codes, the no-break space and the soft
// hyphen.
[[nodiscard]] bool HasNoDistinctGlyph(std::uint8_t code) noexcept;

// Whether `code_point` is a C0 or C1 control character (U+0000-U+001F, U+007F-U+009F), whatever
// code page it comes from.
[[nodiscard]] bool IsControlCharacter(char32_t code_point) noexcept;

// The code of the character in `text` when `text` is exactly one Windows-1252 character.
[[nodiscard]] std::optional<std::uint8_t> CodeOfLoneCharacter(std::u16string_view text);

}  // namespace zentavo
