#include "character_details.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "table_rows.h"

namespace zentavo {
namespace {

using ::zentavo::PrintTo;

TEST(HasNoDistinctGlyph, TheControlsTheUndefinedCodesTheNoBreakSpaceAndTheSoftHyphen) {
  std::set<unsigned> without_glyph;
  for (unsigned code = 0; code < 256; ++code) {
    if (HasNoDistinctGlyph(static_cast<std::uint8_t>(code))) without_glyph.insert(code);
  }
  std::set<unsigned> expected = {127, 129, 141, 143, 144, 157, 160, 173};
  for (unsigned code = 0; code < 32; ++code) expected.insert(code);
  EXPECT_EQ(without_glyph, expected);
}

struct LoneCharacterRow {
  std::string_view name;
  std::u16string_view text;
  std::optional<std::uint8_t> code;
};

class CodeOfLoneCharacterReads : public testing::TestWithParam<LoneCharacterRow> {};

TEST_P(CodeOfLoneCharacterReads, OnlyOneCharacterOfTheCodePage) {
  EXPECT_EQ(CodeOfLoneCharacter(GetParam().text), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Details, CodeOfLoneCharacterReads,
    testing::Values(LoneCharacterRow{"Empty", u"", std::nullopt},
                    LoneCharacterRow{"Digit", u"7", 55},
                    LoneCharacterRow{"Null", std::u16string_view(u"\0", 1), 0},
                    LoneCharacterRow{"EnDash", u"\u2013", 150},
                    LoneCharacterRow{"OutsideTheCodePage", u"\u0100", std::nullopt},
                    LoneCharacterRow{"TwoCharacters", u"AB", std::nullopt},
                    LoneCharacterRow{"InitialText", u"txtParaASCII", std::nullopt}),
    testing_support::RowName());

}  // namespace
}  // namespace zentavo
