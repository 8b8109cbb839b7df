// Feeds any text to the character finder as a query: it never fails, every code it gives is
// given once, a code form comes before every word match, and a character it says Windows-1252
// lacks is one the code page really lacks. The announcement is made of the same answer.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "character_finder.h"
#include "character_finder_text.h"
#include "code_pages.h"
#include "fuzzed_texts.h"
#include "windows1252.h"

namespace {

[[noreturn]] void Fail() { std::abort(); }

void CheckQuery(std::u16string_view query) {
  static const std::vector<const zentavo::CodePageTable*> dos = {zentavo::BuiltInCodePage(437),
                                                                 zentavo::BuiltInCodePage(850)};
  static const std::vector<const zentavo::CodePageTable*> known = [] {
    std::vector<const zentavo::CodePageTable*> pages;
    for (const zentavo::CodePageTable& page : zentavo::BuiltInCodePages()) pages.push_back(&page);
    return pages;
  }();
  const zentavo::FindResult found = zentavo::FindCharacters(query, dos, known);
  std::array<bool, 256> seen{};
  bool words_begun = false;
  for (const zentavo::FoundCharacter& match : found.matches) {
    if (seen[match.code]) Fail();
    seen[match.code] = true;
    const bool code_form = match.level == zentavo::MatchLevel::CodeForm;
    if (code_form && words_begun) Fail();
    words_begun = words_begun || !code_form;
  }
  if (found.outside) {
    const char32_t outside = *found.outside;
    if (outside > 0x10FFFF) Fail();
    if (outside <= 0xFFFF && zentavo::IsWindows1252Character(static_cast<char16_t>(outside)))
      Fail();
  }
  if (zentavo::FinderAnnouncement(found).empty()) Fail();
  for (const zentavo::FoundCharacter& match : found.matches) {
    if (zentavo::FinderRowName(match).empty()) Fail();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zentavo::fuzzing::CheckEachReading(data, std::min<std::size_t>(size, 4096), CheckQuery);
  return 0;
}
