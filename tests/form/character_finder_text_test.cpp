#include "character_finder_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentavo {
namespace {

TEST(FinderRowName, TheCodeTheNameAndTheTermThatMatchedWhereItIsAnother) {
  const struct {
    const char* name;
    FoundCharacter match;
    std::u16string expected;
  } rows[] = {
      {"a Portuguese keyword",
       {151, MatchLevel::WholeTerm, u"travessão"},
       u"151, EM DASH, travessão"},
      {"the Unicode name itself", {150, MatchLevel::WholeWords, u"EN DASH"}, u"150, EN DASH"},
      {"the name in another case", {150, MatchLevel::WholeTerm, u"en dash"}, u"150, EN DASH"},
      {"a code form", {128, MatchLevel::CodeForm, u""}, u"128, EURO SIGN"},
  };
  for (const auto& row : rows) EXPECT_EQ(FinderRowName(row.match), row.expected) << row.name;
}

TEST(FinderAnnouncement, TheCountAndTheFirstMatchOrWhyThereIsNone) {
  const struct {
    const char* name;
    FindResult result;
    std::u16string expected;
  } rows[] = {
      {"none", {}, u"No match / Nenhum resultado"},
      {"one",
       {{{128, MatchLevel::WholeWords, u"EURO SIGN"}}, std::nullopt},
       u"1 match / 1 resultado: 128, EURO SIGN"},
      {"three",
       {{{150, MatchLevel::WholeWords, {}},
         {151, MatchLevel::WholeWords, {}},
         {45, MatchLevel::WholeTerm, {}}},
        std::nullopt},
       u"3 matches / 3 resultados: 150, EN DASH"},
      {"outside",
       {{}, U'\u2192'},
       u"U+2192 is not in Windows-1252 / U+2192 não está no Windows-1252"},
      {"outside the plane",
       {{}, U'\U0001F600'},
       u"U+1F600 is not in Windows-1252 / U+1F600 não está no Windows-1252"},
  };
  for (const auto& row : rows) EXPECT_EQ(FinderAnnouncement(row.result), row.expected) << row.name;
}

TEST(FinderRowCharacter, TheCharacterOrThePictureABoxWouldShow) {
  EXPECT_EQ(FinderRowCharacter(150), u"\u2013");
  EXPECT_EQ(FinderRowCharacter(160), u"NBSP");
  EXPECT_EQ(FinderRowCharacter(0), u"NUL");
}

}  // namespace
}  // namespace zentavo
