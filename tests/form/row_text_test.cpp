#include "row_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "accessibility_table.h"
#include "character_details.h"

namespace zentavo {
namespace {

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
    const RowText text = RowTextFor(*row.row, row.shown);
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
  std::u16string name_line;            // the tooltip's first line, the character's name
  std::u16string announcement_prefix;  // before the character's name
  InputChange change = InputChange::Edited;
};

TEST(RowTextFor, ShowsTheCharactersDetailsOnceItShowsOne) {
  const std::vector<DetailsRow> rows = {
      {"letter", &CodeRow(), u"A", u"LATIN CAPITAL LETTER A", u""},
      {"en dash", &CodeRow(), u"\u2013", u"EN DASH", u""},
      {"null", &CodeRow(), std::u16string(1, u'\0'), u"NULL", u""},
      {"code of a letter", &CharacterRow(), u"65", u"LATIN CAPITAL LETTER A", u"65, "},
      {"code of the euro sign", &CharacterRow(), u"128", u"EURO SIGN", u"128, "},
      {"code zero", &CharacterRow(), u"0", u"NULL", u"0, "},
      {"stepped to a letter", &CodeRow(), u"B", u"LATIN CAPITAL LETTER B", u"66, ",
       InputChange::Stepped},
      {"stepped to the en dash", &CodeRow(), u"\u2013", u"EN DASH", u"150, ", InputChange::Stepped},
      {"stepped to null", &CodeRow(), std::u16string(1, u'\0'), u"NULL", u"0, ",
       InputChange::Stepped},
      {"a code, stepped", &CharacterRow(), u"255", u"LATIN SMALL LETTER Y WITH DIAERESIS", u"255, ",
       InputChange::Stepped},
  };
  for (const DetailsRow& row : rows) {
    const RowText text = RowTextFor(*row.row, row.shown, row.change);
    EXPECT_EQ(text.tooltip.substr(0, text.tooltip.find(u'\n')), row.name_line) << row.name;
    // The description says the tooltip's lines in one, a comma where a line or a dot breaks.
    std::u16string spoken = text.tooltip;
    for (std::size_t at = 0;
         (at = spoken.find_first_of(u"\n\u00B7", at)) != std::u16string::npos;) {
      const bool dot = spoken[at] == u'\u00B7';
      spoken.replace(dot ? at - 1 : at, dot ? 3 : 1, u", ");
    }
    EXPECT_EQ(text.description, spoken) << row.name;
    EXPECT_EQ(text.announcement, row.announcement_prefix + row.name_line) << row.name;
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
