#include "copy_as.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "boxes_in_memory.h"
#include "character_details.h"
#include "character_finder.h"
#include "code_notation.h"
#include "code_page_setting.h"
#include "control_names.h"
#include "windows1252.h"

namespace zentavo {
namespace {

using testing_support::BoxesInMemory;

using Forms = std::vector<std::u16string>;

TEST(CopyAsForms, AreTheRowsCharactersFormsInEitherOfItsBoxes) {
  const CodePageSetting brazil = SettingForLocale("pt_BR");
  BoxesInMemory boxes;
  boxes.texts["txtDeASCII"] = u"150";
  boxes.texts["txtParaCar"] = u"\u2013";
  const Forms en_dash = {u"150",     u"&H96",    u"U+2013",   u"&ndash;",
                         u"&#8211;", u"\\u2013", u"E2 80 93", u"Alt+0150"};
  EXPECT_EQ(CopyAsForms(control_names::kCodeInput, boxes, brazil), en_dash);
  EXPECT_EQ(CopyAsForms(control_names::kCharacterOutput, boxes, brazil), en_dash);
  EXPECT_EQ(CopyAsForms(control_names::kCharacterInput, boxes, brazil), Forms{})
      << "the row is empty";
  EXPECT_EQ(CopyAsForms(control_names::kCodeOutput, boxes, brazil), Forms{});
  EXPECT_EQ(CopyAsForms(control_names::kExitButton, boxes, brazil), Forms{});

  boxes.texts["txtParaCar"] = std::u16string(1, u'\0');
  boxes.texts["txtParaASCII"] = u"129";
  EXPECT_EQ(CopyAsForms(control_names::kCharacterOutput, boxes, brazil),
            (Forms{u"0", u"&H0", u"U+0000", u"\\u0000", u"00"}))
      << "code 0 has every form but a keystroke and HTML's, which reads &#0; as U+FFFD";
  EXPECT_EQ(CopyAsForms(control_names::kCharacterInput, boxes, brazil), (Forms{u"129", u"&H81"}))
      << "an undefined code has only its code";
}

// What Copy as writes, the finder reads back: every form of every code finds that code, first
// unless the form is also another code's (a DOS keystroke of one page types another character in
// the other page).
TEST(CopyForms, EachFindsItsCodeFirstUnlessItIsAlsoAnotherCodes) {
  for (int each = 0; each < 256; ++each) {
    const auto code = static_cast<std::uint8_t>(each);
    const CodePageSetting setting = SettingForLocale("pt_BR");
    std::vector<std::u16string> forms = CopyForms(code, setting);
    forms.push_back(OctalNotation(code));
    if (DetailsOfCode(code).is_defined)
      forms.push_back(Utf8ReadAsWindows1252(CharacterForCode(code)));
    for (const std::u16string& form : forms) {
      const FindResult found = FindCharacters(form, setting.dos_pages, setting.known_pages);
      const auto is_code = [&](const FoundCharacter& match) { return match.code == code; };
      const auto at = std::find_if(found.matches.begin(), found.matches.end(), is_code);
      ASSERT_NE(at, found.matches.end()) << "code " << each;
      EXPECT_EQ(at->level, MatchLevel::CodeForm) << "code " << each;
      // "41", the UTF-8 byte of 'A', is first the decimal code 41.
      const bool another_decimal =
          ReadDecimalCode(form).has_value() && *ReadDecimalCode(form) != code;
      const std::optional<AltKeystroke> alt = ReadAltNotation(form);
      if (!another_decimal && !(alt && alt->page == AltPage::Dos)) {
        EXPECT_EQ(found.matches.front().code, code) << "code " << each;
      }
    }
  }
}

TEST(MenuEntryText, DoublesTheAmpersands) {
  EXPECT_EQ(MenuEntryText(u"&ndash;"), u"&&ndash;");
  EXPECT_EQ(MenuEntryText(u"&#38;&H26"), u"&&#38;&&H26");
  EXPECT_EQ(MenuEntryText(u"U+2013"), u"U+2013");
}

}  // namespace
}  // namespace zentavo
