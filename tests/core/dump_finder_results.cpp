// Reads queries, one a line, each written as its code points in hexadecimal ("64 61 73 68"),
// and prints what the finder answers to each, for the oracle check in check_character_finder.py:
//   FIRST_CODE OUTSIDE_CODE_POINT MATCH_COUNT<TAB>ANNOUNCEMENT
// with "-" where there is none.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "character_finder.h"
#include "character_finder_text.h"
#include "code_page_setting.h"
#include "utf8_text.h"

int main() {
  // The C locale's: DOS 437 first, then 850.
  const zentavo::CodePageSetting setting = zentavo::SettingForLocale("C");
  for (std::string line; std::getline(std::cin, line);) {
    std::u16string query;
    std::istringstream points(line);
    for (std::string point; points >> point;) {
      const unsigned long value = std::strtoul(point.c_str(), nullptr, 16);
      if (value > 0xFFFF) {
        query += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
        query += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
      } else {
        query += static_cast<char16_t>(value);
      }
    }
    const zentavo::FindResult found =
        zentavo::FindCharacters(query, setting.dos_pages, setting.known_pages);
    std::string first = "-";
    if (!found.matches.empty()) first = std::to_string(found.matches.front().code);
    char outside[16] = "-";
    if (found.outside)
      std::snprintf(outside, sizeof outside, "%X", static_cast<unsigned>(*found.outside));
    std::printf("%s %s %zu\t%s\n", first.c_str(), outside, found.matches.size(),
                zentavo::testing_support::Utf8(zentavo::FinderAnnouncement(found)).c_str());
  }
  return 0;
}
