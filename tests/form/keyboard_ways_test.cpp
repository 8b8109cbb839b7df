// The ways a layout types each code, from a reading laid out as a small ABNT2 keyboard with a
// Compose key: the expected ways are read off the layout's keys as a person would press them.
#include "keyboard_ways.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "character_description.h"
#include "code_page_setting.h"
#include "table_rows.h"

namespace zentavo {
namespace {

// Symbols: a character's own code point; dead keys and Compose past Unicode's last.
constexpr std::uint32_t kTilde = 0x110000, kAcute = 0x110001, kCompose = 0x110002;
constexpr std::uint32_t kNowhere = 0x110003;  // a symbol no press gives

KeyboardReading SmallAbnt2() {
  constexpr std::uint8_t kShift = kHoldsShift, kAltGr = kHoldsAltGr;
  // clang-format off
  KeyboardReading reading{{
      {U'=', {u"=", 0}}, {U'\u00A7', {u"=", kAltGr}}, {U'a', {u"a", 0}}, {U'A', {u"a", kShift}},
      {U'e', {u"e", 0}}, {U'E', {u"e", kShift}}, {U'\u00E6', {u"a", kAltGr}}, {U'/', {u"/", 0}},
      {U'/', {u"q", kAltGr}}, {U'/', {u"/", 0}},  // the keypad's slash, the same to the user
      {U' ', {u" ", 0}}, {U'\t', {u"Tab", 0}}, {kTilde, {u"~", 0}}, {kAcute, {u"\u00B4", 0}},
      {kCompose, {u"Multi_key", 0, true}}}, {
      {{kTilde, U'a'}, U'\u00E3'}, {{kCompose, U'a', U'e'}, U'\u00E6'},
      {{kCompose, U'A', U'E'}, U'\u00C6'}, {{kAcute, U'e'}, U'\u00E9'},
      {{kCompose, U'e', kAcute}, U'\u00E9'}, {{kCompose, U'\u00B4', U'e'}, U'\u00E9'},
      {{kCompose, U'e', U'e'}, U'\u00E9'}, {{kCompose, U'e', U'='}, U'\u00E9'},
      {{kNowhere, U'e'}, U'\u00EB'}, {{kTilde, U' '}, U'~'}}};
  // clang-format on
  for (const char32_t typed :
       {U'=', U'\u00A7', U'a', U'A', U'e', U'E', U'\u00E6', U'/', U' ', U'\t'})
    reading.typed.push_back({{typed}, typed});
  return reading;
}

struct WaysRow {
  std::string_view name;
  std::uint8_t code;
  std::vector<std::u16string> ways;
};

class KeyboardWaysGive : public testing::TestWithParam<WaysRow> {};

TEST_P(KeyboardWaysGive, TheShortestFirstAndAtMostThree) {
  const KeyboardWays ways(SmallAbnt2());
  std::vector<std::u16string> written;
  for (const TypingWay& way : ways.Of(GetParam().code)) written.push_back(WayText(way, false));
  EXPECT_EQ(written, GetParam().ways);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Layout, KeyboardWaysGive, testing::Values(
    WaysRow{"ItsOwnKey", 61, {u"="}}, WaysRow{"AltGrLevel", 167, {u"AltGr+="}},
    WaysRow{"ShiftLevel", 65, {u"Shift+a"}},
    WaysRow{"FewerModifiersFirstAndTheSameKeysOnce", 47, {u"/", u"AltGr+q"}},
    WaysRow{"KeyBeforeCompose", 230, {u"AltGr+a", u"Compose a e"}},
    WaysRow{"ComposeWithShift", 198, {u"Compose Shift+a Shift+e"}},
    WaysRow{"DeadKeyFirstThenAtMostThree", 233, {u"\u00B4 e", u"Compose e \u00B4", u"Compose e e"}},
    WaysRow{"DeadKeyThenTheSpaceBar", 126, {u"~ Space"}}, WaysRow{"NoControlCharacter", 9, {}},
    WaysRow{"RunWithAKeyNoPressGives", 235, {}}, WaysRow{"NotOnTheLayout", 128, {}}),
    testing_support::RowName());
// clang-format on

TEST(KeyboardWays, ComeFirstAmongTheKeystrokesAndAreSpokenPressByPress) {
  const KeyboardWays ways(SmallAbnt2());
  const CodePageSetting setting = SettingForLocale("pt_BR");
  EXPECT_NE(DescribeForTooltip(233, setting, &ways)
                .find(u"U+00E9\nThis keyboard / Este teclado: \u00B4 e \u00B7 Compose e \u00B4 "
                      u"\u00B7 Compose e e\nWindows: Alt+0233"),
            std::u16string::npos);
  EXPECT_NE(DescribeForSpeech(230, setting, &ways)
                .find(u"U+00E6, This keyboard / Este teclado: AltGr+a or / ou Compose then / "
                      u"depois a then / depois e, Windows: "),
            std::u16string::npos);
  EXPECT_EQ(DescribeForTooltip(128, setting, &ways), DescribeForTooltip(128, setting))
      << "nothing is told where the layout cannot type the character";
  KeyboardReading system_setting = SmallAbnt2();
  system_setting.system_layout = true;
  const KeyboardWays system_ways(system_setting);
  EXPECT_NE(DescribeForTooltip(61, setting, &system_ways)
                .find(u"This keyboard (system layout) / Este teclado (layout do sistema): ="),
            std::u16string::npos);
}

}  // namespace
}  // namespace zentavo
