#include "character_finder_text.h"

#include <gtest/gtest.h>

#include "character_finder.h"
#include "character_finder_screen.h"

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

TEST(FinderScreenFor, WhatBothDialogsShowForAQuery) {
  const CodePageSetting setting = SettingForLocale("pt_BR");
  const struct {
    const char* name;
    std::u16string query;
    bool rows;
    std::u16string outside_line;
    bool announce_later;
  } rows[] = {
      {"matches", u"dash", true, u"", true},
      {"a code form", u"U+2013", true, u"", true},
      {"a character Windows-1252 lacks", u"U+2192", false,
       u"U+2192 is not in Windows-1252 / U+2192 não está no Windows-1252", true},
      {"no match", u"xyzzy", false, u"", true},
      {"an empty query: nothing to tell", u"", false, u"", false},
  };
  for (const auto& row : rows) {
    const FinderScreen screen = FinderScreenFor(row.query, setting);
    EXPECT_EQ(!screen.rows.empty(), row.rows) << row.name;
    // The first row is chosen, Use takes it and Down goes to it; with no row, none of them.
    EXPECT_EQ(screen.chosen, row.rows ? std::optional<std::size_t>(0) : std::nullopt) << row.name;
    EXPECT_EQ(screen.use_enabled, row.rows) << row.name;
    EXPECT_EQ(DownMovesIntoList(screen), row.rows) << row.name;
    EXPECT_EQ(screen.outside_line, row.outside_line) << row.name;
    EXPECT_EQ(screen.announce_later, row.announce_later) << row.name;
    EXPECT_EQ(screen.announcement,
              FinderAnnouncement(FindCharacters(row.query, setting.dos_pages, setting.known_pages)))
        << row.name;
  }
  const FinderScreen dash = FinderScreenFor(u"U+2013", setting);
  ASSERT_FALSE(dash.rows.empty());
  EXPECT_EQ(dash.rows.front().code, 150);
  EXPECT_EQ(dash.rows.front().character, u"\u2013");
  EXPECT_EQ(dash.rows.front().name, u"150, EN DASH");
}

TEST(FinderRowCharacter, TheCharacterOrThePictureABoxWouldShow) {
  EXPECT_EQ(FinderRowCharacter(150), u"\u2013");
  EXPECT_EQ(FinderRowCharacter(160), u"NBSP");
  EXPECT_EQ(FinderRowCharacter(0), u"NUL");
}

}  // namespace
}  // namespace zentavo
