#include "character_finder_text.h"

#include <string>

#include "character_description.h"
#include "character_details.h"
#include "character_picture.h"
#include "code_notation.h"

namespace zentavo {

std::u16string FinderRowName(const FoundCharacter& match) {
  std::u16string name = FoundCodeText(match.code) + u", " + NameToTell(match.code);
  if (!match.term.empty() &&
      FoldForSearch(match.term) != FoldForSearch(Widen(DetailsOfCode(match.code).name))) {
    name += u", ";
    name += match.term;
  }
  return name;
}

std::u16string FinderRowCharacter(std::uint8_t code) {
  if (HasNoDistinctGlyph(code)) return PictureText(code);
  return std::u16string(1, DetailsOfCode(code).character);
}

std::u16string NotInWindows1252Line(char32_t code_point) {
  const std::u16string written = CodePointNotation(code_point);
  return written + u" is not in Windows-1252 / " + written + u" não está no Windows-1252";
}

std::u16string FinderAnnouncement(const FindResult& result) {
  if (result.matches.empty()) {
    return result.outside ? NotInWindows1252Line(*result.outside)
                          : std::u16string(u"No match / Nenhum resultado");
  }
  const std::u16string count = DecimalNotation(static_cast<std::uint32_t>(result.matches.size()));
  const bool one = result.matches.size() == 1;
  const FoundCharacter& first = result.matches.front();
  return count + (one ? u" match / " : u" matches / ") + count +
         (one ? u" resultado: " : u" resultados: ") + FoundCodeText(first.code) + u", " +
         NameToTell(first.code);
}

std::u16string FoundCodeText(std::uint8_t code) { return DecimalNotation(code); }

}  // namespace zentavo
