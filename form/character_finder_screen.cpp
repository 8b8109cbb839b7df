#include "character_finder_screen.h"

#include "character_finder.h"
#include "character_finder_text.h"

namespace zentavo {

FinderScreen FinderScreenFor(std::u16string_view query, const CodePageSetting& setting) {
  const FindResult found = FindCharacters(query, setting.dos_pages, setting.known_pages);
  FinderScreen screen;
  screen.rows.reserve(found.matches.size());
  for (const FoundCharacter& match : found.matches) {
    screen.rows.push_back({match.code, FinderRowCharacter(match.code), FinderRowName(match)});
  }
  if (!screen.rows.empty()) screen.chosen = 0;
  if (found.outside && found.matches.empty()) {
    screen.outside_line = NotInWindows1252Line(*found.outside);
  }
  screen.use_enabled = !screen.rows.empty();
  screen.announce_later = !query.empty();
  screen.announcement = FinderAnnouncement(found);
  return screen;
}

bool DownMovesIntoList(const FinderScreen& screen) { return screen.chosen.has_value(); }

}  // namespace zentavo
