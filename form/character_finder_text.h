// What the character finder shows and says, in the window's two languages, for both windows:
// its title and buttons, each row's words, the one line for a character Windows-1252 lacks, and
// what a screen reader is told after each change of the query.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "character_finder.h"

namespace zentavo {

inline constexpr std::u16string_view kFinderTitle = u"Find character / Procurar caractere";
inline constexpr std::u16string_view kFinderQueryLabel = u"&Name or code / Nome ou código:";
inline constexpr std::u16string_view kFinderListLabel = u"&Matches / Resultados:";
inline constexpr std::u16string_view kFinderUse = u"Use / Usar";
inline constexpr std::u16string_view kFinderCancel = u"Cancel / Cancelar";

// A row's accessible name, and its words after the character: "151, EM DASH, travessão". The
// term that matched is added where it is not the Unicode name itself.
[[nodiscard]] std::u16string FinderRowName(const FoundCharacter& match);

// What the row shows for the character itself: the character, or its picture's words for one a
// box would show as a picture ("NBSP").
[[nodiscard]] std::u16string FinderRowCharacter(std::uint8_t code);

// "U+2192 is not in Windows-1252 / U+2192 não está no Windows-1252".
[[nodiscard]] std::u16string NotInWindows1252Line(char32_t code_point);

// How long the query must stay as it is before its matches are announced: typing "dash en" is
// told one count, not seven, and a screen reader that drops an announcement arriving while the
// previous one from the same window still waits (Orca 48 does) hears the one that matters.
inline constexpr int kFinderAnnouncementDelayMilliseconds = 300;

// What is announced once the matches of a new query are shown: "3 matches / 3 resultados: 150,
// EN DASH", "No match / Nenhum resultado", or the line for a character Windows-1252 lacks.
[[nodiscard]] std::u16string FinderAnnouncement(const FindResult& result);

// The text a found code is written into the upper row as: its decimal code.
[[nodiscard]] std::u16string FoundCodeText(std::uint8_t code);

}  // namespace zentavo
