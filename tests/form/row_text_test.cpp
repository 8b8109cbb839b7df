#include "row_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "accessibility_table.h"

namespace zentavo {
namespace {

const CodePageSetting& Brazil() {
  static const CodePageSetting setting = SettingForLocale("pt_BR");
  return setting;
}

const accessibility::RowRecord& CodeRow() { return accessibility::kRows[0]; }
const accessibility::RowRecord& CharacterRow() { return accessibility::kRows[1]; }

struct HintRow {
  const char* name;
  const accessibility::RowRecord* row;
  std::u16string shown;
};

TEST(RowTextFor, ShowsTheHintUntilTheOutputShowsACharacter) {
  const std::vector<HintRow> rows = {
      {"initial name upper", &CodeRow(), u"txtParaCar"},
      {"empty upper", &CodeRow(), u""},
      {"two characters upper", &CodeRow(), u"AB"},
      {"outside the code page upper", &CodeRow(), u"\u0100"},
      {"initial name lower", &CharacterRow(), u"txtParaASCII"},
      {"empty lower", &CharacterRow(), u""},
      {"beyond 255 lower", &CharacterRow(), u"256"},
      {"a leading zero lower", &CharacterRow(), u"065"},
  };
  for (const HintRow& row : rows) {
    const RowText text = RowTextFor(*row.row, row.shown, &Brazil);
    EXPECT_EQ(text.tooltip, row.row->hint) << row.name;
    EXPECT_EQ(text.description.find(u'\n'), std::u16string::npos) << row.name;
    EXPECT_EQ(text.description.size(), row.row->hint.size()) << row.name;
    EXPECT_TRUE(text.announcement.empty()) << row.name;
  }
}

struct DetailsRow {
  const char* name;
  const accessibility::RowRecord* row;
  std::u16string shown;
  std::u16string_view told;  // how the details begin: the character's name and its code
  std::u16string announcement;
  InputChange change = InputChange::Edited;
};

// Once the output box shows a character, both boxes tell that character's details (whose words
// the description's own test checks): of the right code, as its first two lines say; and a result
// is announced by name, a code first where the row shows codes or the user stepped.
TEST(RowTextFor, ShowsTheCharactersDetailsOnceItShowsOne) {
  const std::vector<DetailsRow> rows = {
      {"letter", &CodeRow(), u"A", u"LATIN CAPITAL LETTER A\n65 ", u"LATIN CAPITAL LETTER A"},
      {"en dash", &CodeRow(), u"\u2013", u"EN DASH\n150 ", u"EN DASH"},
      {"null", &CodeRow(), std::u16string(1, u'\0'), u"NULL\n0 ", u"NULL"},
      {"code of a letter", &CharacterRow(), u"65", u"LATIN CAPITAL LETTER A\n65 ",
       u"65, LATIN CAPITAL LETTER A"},
      {"code of the euro sign", &CharacterRow(), u"128", u"EURO SIGN\n128 ", u"128, EURO SIGN"},
      {"code zero", &CharacterRow(), u"0", u"NULL\n0 ", u"0, NULL"},
      {"an undefined code", &CharacterRow(), u"129",
       u"Undefined in Windows-1252 / N\u00E3o definido no Windows-1252\n129 ",
       u"129, Undefined in Windows-1252 / N\u00E3o definido no Windows-1252"},
      {"stepped to a letter", &CodeRow(), u"B", u"LATIN CAPITAL LETTER B\n66 ",
       u"66, LATIN CAPITAL LETTER B", InputChange::Stepped},
      {"stepped to the en dash", &CodeRow(), u"\u2013", u"EN DASH\n150 ", u"150, EN DASH",
       InputChange::Stepped},
      {"stepped to null", &CodeRow(), std::u16string(1, u'\0'), u"NULL\n0 ", u"0, NULL",
       InputChange::Stepped},
      {"a code, stepped", &CharacterRow(), u"255", u"LATIN SMALL LETTER Y WITH DIAERESIS\n255 ",
       u"255, LATIN SMALL LETTER Y WITH DIAERESIS", InputChange::Stepped},
  };
  for (const DetailsRow& row : rows) {
    const RowText text = RowTextFor(*row.row, row.shown, &Brazil, row.change);
    EXPECT_TRUE(text.tooltip.starts_with(row.told)) << row.name;
    EXPECT_EQ(text.announcement, row.announcement) << row.name;
  }
}

}  // namespace
}  // namespace zentavo
