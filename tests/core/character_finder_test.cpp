// The finder over all 256 codes: every written form of a code and every Unicode name finds that
// code first, and so does the same query with its words reversed or its accents dropped.
#include "character_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "character_details.h"
#include "windows1252.h"

namespace zentavo {
namespace {

std::u16string Widened(std::string_view text) { return {text.begin(), text.end()}; }

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

std::optional<std::uint8_t> First(std::u16string_view query) {
  const FindResult found = FindCharacters(query);
  if (found.matches.empty()) return std::nullopt;
  return found.matches.front().code;
}

TEST(FindCharacters, EveryFormOfACodeFindsItFirstUnlessItIsAlsoAnotherDecimalCode) {
  for (int each = 0; each < 256; ++each) {
    const auto code = static_cast<std::uint8_t>(each);
    std::vector<std::u16string> forms = CopyForms(code);
    forms.push_back(Widened(OctalNotation(code)));
    if (DetailsOfCode(code).is_defined)
      forms.push_back(Utf8ReadAsWindows1252(CharacterForCode(code)));
    for (const std::u16string& form : forms) {
      const FindResult found = FindCharacters(form);
      const auto is_code = [&](const FoundCharacter& match) { return match.code == code; };
      const auto at = std::find_if(found.matches.begin(), found.matches.end(), is_code);
      ASSERT_NE(at, found.matches.end()) << "code " << each;
      EXPECT_EQ(at->level, MatchLevel::CodeForm) << "code " << each;
      // "41", the UTF-8 byte of 'A', is first the decimal code 41.
      const bool another_decimal =
          CodeOfDecimalText(form).has_value() && *CodeOfDecimalText(form) != code;
      if (!another_decimal) {
        EXPECT_EQ(found.matches.front().code, code) << "code " << each;
      }
    }
  }
}

TEST(FindCharacters, EveryUnicodeNameFindsItsCodeFirstInAnyOrderOfItsWords) {
  for (int each = 0; each < 256; ++each) {
    const auto code = static_cast<std::uint8_t>(each);
    const std::u16string name = Widened(DetailsOfCode(code).name);
    if (name.empty()) continue;
    EXPECT_EQ(First(name), code) << "name of " << each;
    std::vector<std::u16string> words = Words(name);
    std::reverse(words.begin(), words.end());
    std::u16string reversed;
    for (const std::u16string& word : words) reversed += (reversed.empty() ? u"" : u" ") + word;
    EXPECT_EQ(First(reversed), code) << "reversed name of " << each;
  }
}

TEST(FindCharacters, DroppingAccentsKeepsTheFirstResult) {
  for (const CharacterTerm& term : CharacterTerms()) {
    // A term of one character is read as that very character, case and all.
    if (term.kind == TermKind::Html || term.text.size() == 1) continue;
    const std::optional<std::uint8_t> first = First(term.text);
    EXPECT_EQ(First(FoldForSearch(term.text)), first) << "term of " << int{term.code};
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
  };
  for (const QueryRow& row : rows) {
    const FindResult found = FindCharacters(row.query);
    ASSERT_GE(found.matches.size(), row.leading.size()) << row.name;
    for (std::size_t i = 0; i < row.leading.size(); ++i) {
      EXPECT_EQ(found.matches[i].code, row.leading[i]) << row.name << ", place " << i;
    }
  }
}

}  // namespace
}  // namespace zentavo
