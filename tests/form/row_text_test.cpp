#include "row_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "accessibility_table.h"
#include "character_description.h"

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
  std::uint8_t code;  // the code the row is about
  std::u16string announcement;
  InputChange change = InputChange::Edited;
};

// Once the output box shows a character, both boxes tell that character's details (whose words
// the description's own test checks), and a result is announced by name, a code first where the
// row shows codes or the user stepped.
TEST(RowTextFor, ShowsTheCharactersDetailsOnceItShowsOne) {
  const std::vector<DetailsRow> rows = {
      {"letter", &CodeRow(), u"A", 65, u"LATIN CAPITAL LETTER A"},
      {"en dash", &CodeRow(), u"\u2013", 150, u"EN DASH"},
      {"null", &CodeRow(), std::u16string(1, u'\0'), 0, u"NULL"},
      {"code of a letter", &CharacterRow(), u"65", 65, u"65, LATIN CAPITAL LETTER A"},
      {"code of the euro sign", &CharacterRow(), u"128", 128, u"128, EURO SIGN"},
      {"code zero", &CharacterRow(), u"0", 0, u"0, NULL"},
      {"an undefined code", &CharacterRow(), u"129", 129,
       u"129, Undefined in Windows-1252 / N\u00E3o definido no Windows-1252"},
      {"stepped to a letter", &CodeRow(), u"B", 66, u"66, LATIN CAPITAL LETTER B",
       InputChange::Stepped},
      {"stepped to the en dash", &CodeRow(), u"\u2013", 150, u"150, EN DASH", InputChange::Stepped},
      {"stepped to null", &CodeRow(), std::u16string(1, u'\0'), 0, u"0, NULL",
       InputChange::Stepped},
      {"a code, stepped", &CharacterRow(), u"255", 255, u"255, LATIN SMALL LETTER Y WITH DIAERESIS",
       InputChange::Stepped},
  };
  for (const DetailsRow& row : rows) {
    const RowText text = RowTextFor(*row.row, row.shown, &Brazil, row.change);
    EXPECT_EQ(text.tooltip, DescribeForTooltip(row.code, Brazil())) << row.name;
    EXPECT_EQ(text.description, DescribeForSpeech(row.code, Brazil())) << row.name;
    EXPECT_EQ(text.announcement, row.announcement) << row.name;
  }
}

struct AnnouncementRow {
  const char* name;
  std::u16string announcement;
  bool output_box_has_focus;
  std::u16string_view told;
};

TEST(AnnouncementOf, TellsEveryoneButWhoeverTypesInTheOutputBox) {
  const std::vector<AnnouncementRow> rows = {
      {"typing elsewhere", u"EN DASH", false, u"EN DASH"},
      {"typing in the output box", u"EN DASH", true, u""},
      {"nothing to tell", u"", false, u""},
  };
  for (const AnnouncementRow& row : rows) {
    const RowText text{u"tip", u"description", row.announcement};
    EXPECT_EQ(AnnouncementOf(text, row.output_box_has_focus), row.told) << row.name;
  }
}

}  // namespace
}  // namespace zentavo
