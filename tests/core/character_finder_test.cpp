// The finder over all 256 codes: every Unicode name finds that code first, and so does the same
// query with its words reversed; and the order the ranking gives.
#include "character_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "character_details.h"
#include "code_notation.h"
#include "code_pages.h"

namespace zentavo {
namespace {

std::vector<std::u16string> Words(std::u16string_view text) {
  std::vector<std::u16string> words;
  std::u16string word;
  for (const char16_t character : text) {
    if (character == u' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += character;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// The finder as the Qt program asks it in the C locale: DOS 437, then 850, and the other pages
// the program knows.
FindResult Find(std::u16string_view query) {
  std::vector<const CodePageTable*> known;
  for (const CodePageTable& page : BuiltInCodePages()) known.push_back(&page);
  return FindCharacters(query, {BuiltInCodePage(437), BuiltInCodePage(850)}, known);
}

std::optional<std::uint8_t> First(std::u16string_view query) {
  const FindResult found = Find(query);
  if (found.matches.empty()) return std::nullopt;
  return found.matches.front().code;
}

TEST(FindCharacters, EveryUnicodeNameFindsItsCodeFirstInAnyOrderOfItsWords) {
  for (int each = 0; each < 256; ++each) {
    const auto code = static_cast<std::uint8_t>(each);
    const std::u16string name = Widen(DetailsOfCode(code).name);
    if (name.empty()) continue;
    EXPECT_EQ(First(name), code) << "name of " << each;
    std::vector<std::u16string> words = Words(name);
    std::reverse(words.begin(), words.end());
    std::u16string reversed;
    for (const std::u16string& word : words) reversed += (reversed.empty() ? u"" : u" ") + word;
    EXPECT_EQ(First(reversed), code) << "reversed name of " << each;
  }
}

struct QueryRow {
  const char* name;
  std::u16string query;
  std::vector<std::uint8_t> leading;  // the first results, in order
};

// The order the ranking gives; the first results are checked against Python's data separately.
TEST(FindCharacters, RanksUnicodesOwnNamesFirstThenByHowWellTheWordsMatch) {
  const std::vector<QueryRow> rows = {
      {"dash: the dashes by name before the keywords", u"dash", {150, 151, 45, 95}},
      {"a one-letter word's case", u"c cedilla", {231, 199}},
      {"the other case", u"C cedilla", {199, 231}},
      {"fewer other words first", u"plus", {43, 177}},
      {"the decimal reading before the character", u"5", {5, 53}},
      // Keystrokes and misreadings of the DOS pages, values from Python's cp437 and cp850 codecs.
      {"a DOS keystroke in 437 and 850", u"Alt+130", {233}},
      {"a DOS keystroke of 850 alone", u"Alt+198", {227}},
      {"a DOS picture", u"Alt+21", {167}},
      {"a DOS keystroke past 255", u"Alt+386", {233}},
      {"two DOS pages, each its own character", u"Alt+155", {162, 248}},
      {"UTF-8 read as DOS 850", u"\u251C\u00AE", {233}},
      {"UTF-8 read as Mac Roman", u"\u221A\u00A9", {233}},
      {"a Windows keystroke", u"Alt+0233", {233}},
  };
  for (const QueryRow& row : rows) {
    const FindResult found = Find(row.query);
    ASSERT_GE(found.matches.size(), row.leading.size()) << row.name;
    for (std::size_t i = 0; i < row.leading.size(); ++i) {
      EXPECT_EQ(found.matches[i].code, row.leading[i]) << row.name << ", place " << i;
    }
  }
}

}  // namespace
}  // namespace zentavo
