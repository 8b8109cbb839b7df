// The details the windows show and say of a code, against values read off Python's unicodedata
// and UTF-8 codec for the codes in the rows.
#include "character_description.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "character_details.h"
#include "table_rows.h"
#include "windows1252.h"

namespace zentavo {
namespace {

using ::zentavo::PrintTo;

struct TooltipRow {
  std::string_view name;
  std::uint8_t code;
  std::u16string_view tooltip;
};

class DescribeForTooltipGives : public testing::TestWithParam<TooltipRow> {};

TEST_P(DescribeForTooltipGives, NameNotationsAndKeystroke) {
  EXPECT_EQ(DescribeForTooltip(GetParam().code), GetParam().tooltip);
}

INSTANTIATE_TEST_SUITE_P(
    Details, DescribeForTooltipGives,
    testing::Values(
        TooltipRow{"EnDash", 150,
                   u"EN DASH\n150 \u00B7 &H96 \u00B7 &O226 \u00B7 U+2013\nWindows: Alt+0150\n"
                   u"UTF-8: E2 80 93 \u00B7 read as Windows-1252: \u00E2\u20AC\u201C"},
        TooltipRow{"LetterA", 65,
                   u"LATIN CAPITAL LETTER A\n65 \u00B7 &H41 \u00B7 &O101 \u00B7 U+0041\nWindows: "
                   u"Alt+0065\nUTF-8: 41"},
        TooltipRow{"Null", 0,
                   u"NULL\n0 \u00B7 &H0 \u00B7 &O0 \u00B7 U+0000\nControl character / Caractere de "
                   u"controle\nUTF-8: 00"},
        TooltipRow{"LineFeed", 10,
                   u"LINE FEED (LF)\n10 \u00B7 &HA \u00B7 &O12 \u00B7 U+000A\nControl character / "
                   u"Caractere de controle\nUTF-8: 0A"},
        TooltipRow{"Undefined", 129,
                   u"Undefined in Windows-1252 / N\u00E3o definido no Windows-1252\n129 \u00B7 "
                   u"&H81 \u00B7 &O201 \u00B7 U+0081"},
        TooltipRow{
            "NoBreakSpace", 160,
            u"NO-BREAK SPACE\n160 \u00B7 &HA0 \u00B7 &O240 \u00B7 U+00A0\nWindows: Alt+0160\n"
            u"UTF-8: C2 A0 \u00B7 read as Windows-1252: \u00C2[A0]"},
        TooltipRow{"RightDoubleQuotationMark", 148,
                   u"RIGHT DOUBLE QUOTATION MARK\n148 \u00B7 &H94 \u00B7 &O224 \u00B7 U+201D\n"
                   u"Windows: Alt+0148\nUTF-8: E2 80 9D \u00B7 read as Windows-1252: "
                   u"\u00E2\u20AC[9D]"},
        TooltipRow{"CapitalAWithAcute", 193,
                   u"LATIN CAPITAL LETTER A WITH ACUTE\n193 \u00B7 &HC1 \u00B7 &O301 \u00B7 "
                   u"U+00C1\nWindows: Alt+0193\nUTF-8: C3 81 \u00B7 read as Windows-1252: "
                   u"\u00C3[81]"},
        TooltipRow{"LastCode", 255,
                   u"LATIN SMALL LETTER Y WITH DIAERESIS\n255 \u00B7 &HFF \u00B7 &O377 \u00B7 "
                   u"U+00FF\nWindows: Alt+0255\nUTF-8: C3 BF \u00B7 read as Windows-1252: "
                   u"\u00C3\u00BF"}),
    testing_support::RowName());

TEST(DescribeForSpeech, IsTheTooltipInOneLine) {
  EXPECT_EQ(DescribeForSpeech(150),
            u"EN DASH, 150, &H96, &O226, U+2013, Windows: Alt+0150, UTF-8: E2 80 93, read as "
            u"Windows-1252: \u00E2\u20AC\u201C");
}

TEST(DescribeForSpeech, SaysAnUndefinedByteAsWords) {
  EXPECT_EQ(DescribeForSpeech(221),
            u"LATIN CAPITAL LETTER Y WITH ACUTE, 221, &HDD, &O335, U+00DD, Windows: Alt+0221, "
            u"UTF-8: C3 9D, read as Windows-1252: \u00C3 byte 9D");
}

// What the boxes draw as a picture shows as nothing, or as a blank, and is passed to screen
// readers as it is: no such character may stand in what any code's tooltip or description
// says, but for the tooltip's own line breaks.
TEST(Details, HoldNoCharacterTheBoxesPictureForAnyCode) {
  for (unsigned code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    for (const std::u16string& text : {DescribeForTooltip(byte), DescribeForSpeech(byte)}) {
      for (const char16_t character : text) {
        const std::optional<std::uint8_t> shown = CodeForCharacter(character);
        EXPECT_FALSE(character != u'\n' && shown && HasNoDistinctGlyph(*shown))
            << "code " << code << " holds the character of code " << int{*shown};
      }
    }
  }
}

TEST(DescribeForSpeech, SaysABytePicturedInTheBoxesAsWords) {
  const struct {
    std::uint8_t code;
    std::u16string_view misreading;
  } rows[] = {
      {237, u"read as Windows-1252: \u00C3 byte AD"},  // í, UTF-8 C3 AD: a soft hyphen
      {224, u"read as Windows-1252: \u00C3 byte A0"},  // à, UTF-8 C3 A0: a no-break space
      {160, u"read as Windows-1252: \u00C2 byte A0"},  // the no-break space itself
  };
  for (const auto& row : rows) {
    const std::u16string spoken = DescribeForSpeech(row.code);
    EXPECT_NE(spoken.find(row.misreading), std::u16string::npos) << int{row.code};
    EXPECT_NE(DescribeForTooltip(row.code).find(u"[A"), std::u16string::npos) << int{row.code};
  }
}

}  // namespace
}  // namespace zentavo
