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

// Values read off Python's cp1252, cp850, cp437, latin_1, iso8859_15 and mac_roman codecs,
// unicodedata and str.encode("utf-8"); the DOS pictures that are Windows-1252 characters (Alt+7,
// Alt+20, Alt+21) as Windows types them.
struct TooltipRow {
  std::string_view name;
  std::uint8_t code;
  const char* locale;  // which DOS page comes first
  std::u16string_view tooltip;
};

class DescribeForTooltipGives : public testing::TestWithParam<TooltipRow> {};

TEST_P(DescribeForTooltipGives, WindowsFactsThenKeystrokesThenOtherCodePages) {
  EXPECT_EQ(DescribeForTooltip(GetParam().code, SettingForLocale(GetParam().locale)),
            GetParam().tooltip);
}

INSTANTIATE_TEST_SUITE_P(
    Details, DescribeForTooltipGives,
    testing::Values(
        TooltipRow{
            "EnDash", 150, "pt_BR",
            u"EN DASH\n"
            u"150 \u00B7 &H96 \u00B7 &O226 \u00B7 U+2013\n"
            u"Windows: Alt+0150\n"
            u"UTF-8: E2 80 93 \u00B7 read as Windows-1252: \u00E2\u20AC\u201C \u00B7 DOS 850: "
            u"\u00D4\u00C7\u00F4\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: D0 (Mac Roman) \u00B7 none / "
            u"nenhum (ISO-8859-1, ISO-8859-15, DOS 850, 437)\n"
            u"Byte 96 elsewhere / O byte 96 em outras p\u00E1ginas: control / controle "
            u"(ISO-8859-1, ISO-8859-15) \u00B7 \u00F1 (Mac Roman) \u00B7 \u00FB (DOS 850, 437)"},
        TooltipRow{"LetterA", 65, "pt_BR",
                   u"LATIN CAPITAL LETTER A\n"
                   u"65 \u00B7 &H41 \u00B7 &O101 \u00B7 U+0041\n"
                   u"Windows: Alt+0065 \u00B7 DOS: Alt+65 (850, 437)\n"
                   u"UTF-8: 41"},
        TooltipRow{"Null", 0, "pt_BR",
                   u"NULL\n"
                   u"0 \u00B7 &H0 \u00B7 &O0 \u00B7 U+0000\n"
                   u"Control character / Caractere de controle\n"
                   u"UTF-8: 00"},
        TooltipRow{"LineFeed", 10, "pt_BR",
                   u"LINE FEED (LF)\n"
                   u"10 \u00B7 &HA \u00B7 &O12 \u00B7 U+000A\n"
                   u"Control character / Caractere de controle\n"
                   u"UTF-8: 0A\n"
                   u"Byte 0A elsewhere / O byte 0A em outras p\u00E1ginas: \u25D9 (DOS 850, 437)"},
        TooltipRow{"Undefined", 129, "pt_BR",
                   u"Undefined in Windows-1252 / N\u00E3o definido no Windows-1252\n"
                   u"129 \u00B7 &H81 \u00B7 &O201 \u00B7 U+0081\n"
                   u"Byte 81 elsewhere / O byte 81 em outras p\u00E1ginas: \u00C5 (Mac Roman) "
                   u"\u00B7 \u00FC (DOS 850, 437)"},
        TooltipRow{
            "NoBreakSpace", 160, "pt_BR",
            u"NO-BREAK SPACE\n"
            u"160 \u00B7 &HA0 \u00B7 &O240 \u00B7 U+00A0\n"
            u"Windows: Alt+0160 \u00B7 DOS: Alt+255 (850, 437)\n"
            u"UTF-8: C2 A0 \u00B7 read as Windows-1252: \u00C2[A0] \u00B7 DOS 850: \u252C\u00E1\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: CA (Mac Roman) \u00B7 FF (DOS "
            u"850, 437)\n"
            u"Byte A0 elsewhere / O byte A0 em outras p\u00E1ginas: \u2020 (Mac Roman) \u00B7 "
            u"\u00E1 (DOS 850, 437)"},
        TooltipRow{
            "RightDoubleQuotationMark", 148, "pt_BR",
            u"RIGHT DOUBLE QUOTATION MARK\n"
            u"148 \u00B7 &H94 \u00B7 &O224 \u00B7 U+201D\n"
            u"Windows: Alt+0148\n"
            u"UTF-8: E2 80 9D \u00B7 read as Windows-1252: \u00E2\u20AC[9D] \u00B7 DOS 850: "
            u"\u00D4\u00C7\u00D8\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: D3 (Mac Roman) \u00B7 none / "
            u"nenhum (ISO-8859-1, ISO-8859-15, DOS 850, 437)\n"
            u"Byte 94 elsewhere / O byte 94 em outras p\u00E1ginas: control / controle "
            u"(ISO-8859-1, ISO-8859-15) \u00B7 \u00EE (Mac Roman) \u00B7 \u00F6 (DOS 850, 437)"},
        TooltipRow{
            "CapitalAWithAcute", 193, "pt_BR",
            u"LATIN CAPITAL LETTER A WITH ACUTE\n"
            u"193 \u00B7 &HC1 \u00B7 &O301 \u00B7 U+00C1\n"
            u"Windows: Alt+0193 \u00B7 DOS: Alt+181 (850; 437 \u2192 \u2561)\n"
            u"UTF-8: C3 81 \u00B7 read as Windows-1252: \u00C3[81] \u00B7 DOS 850: \u251C\u00FC\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: E7 (Mac Roman) \u00B7 B5 (DOS "
            u"850) \u00B7 none / nenhum (DOS 437)\n"
            u"Byte C1 elsewhere / O byte C1 em outras p\u00E1ginas: \u00A1 (Mac Roman) \u00B7 "
            u"\u2534 (DOS 850, 437)"},
        TooltipRow{
            "LastCode", 255, "pt_BR",
            u"LATIN SMALL LETTER Y WITH DIAERESIS\n"
            u"255 \u00B7 &HFF \u00B7 &O377 \u00B7 U+00FF\n"
            u"Windows: Alt+0255 \u00B7 DOS: Alt+152 (850, 437)\n"
            u"UTF-8: C3 BF \u00B7 read as Windows-1252: \u00C3\u00BF \u00B7 DOS 850: \u251C\u2510\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: D8 (Mac Roman) \u00B7 98 (DOS "
            u"850, 437)\n"
            u"Byte FF elsewhere / O byte FF em outras p\u00E1ginas: \u02C7 (Mac Roman) \u00B7 NBSP "
            u"(DOS 850, 437)"},
        TooltipRow{
            "ATilde", 227, "pt_BR",
            u"LATIN SMALL LETTER A WITH TILDE\n"
            u"227 \u00B7 &HE3 \u00B7 &O343 \u00B7 U+00E3\n"
            u"Windows: Alt+0227 \u00B7 DOS: Alt+198 (850; 437 \u2192 \u255E)\n"
            u"UTF-8: C3 A3 \u00B7 read as Windows-1252: \u00C3\u00A3 \u00B7 DOS 850: \u251C\u00FA\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: 8B (Mac Roman) \u00B7 C6 (DOS "
            u"850) \u00B7 none / nenhum (DOS 437)\n"
            u"Byte E3 elsewhere / O byte E3 em outras p\u00E1ginas: \u201E (Mac Roman) \u00B7 "
            u"\u00D2 (DOS 850) \u00B7 \u03C0 (DOS 437)"},
        TooltipRow{
            "EAcute", 233, "pt_BR",
            u"LATIN SMALL LETTER E WITH ACUTE\n"
            u"233 \u00B7 &HE9 \u00B7 &O351 \u00B7 U+00E9\n"
            u"Windows: Alt+0233 \u00B7 DOS: Alt+130 (850, 437)\n"
            u"UTF-8: C3 A9 \u00B7 read as Windows-1252: \u00C3\u00A9 \u00B7 DOS 850: \u251C\u00AE\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: 8E (Mac Roman) \u00B7 82 (DOS "
            u"850, 437)\n"
            u"Byte E9 elsewhere / O byte E9 em outras p\u00E1ginas: \u00C8 (Mac Roman) \u00B7 "
            u"\u00DA (DOS 850) \u00B7 \u0398 (DOS 437)"},
        TooltipRow{
            "SectionSign", 167, "pt_BR",
            u"SECTION SIGN\n"
            u"167 \u00B7 &HA7 \u00B7 &O247 \u00B7 U+00A7\n"
            u"Windows: Alt+0167 \u00B7 DOS: Alt+21 (850, 437) \u00B7 Alt+245 (850; 437 \u2192 "
            u"\u2321)\n"
            u"UTF-8: C2 A7 \u00B7 read as Windows-1252: \u00C2\u00A7 \u00B7 DOS 850: \u252C\u00BA\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: A4 (Mac Roman) \u00B7 F5 (DOS "
            u"850) \u00B7 none / nenhum (DOS 437)\n"
            u"Byte A7 elsewhere / O byte A7 em outras p\u00E1ginas: \u00DF (Mac Roman) \u00B7 "
            u"\u00BA (DOS 850, 437)"},
        TooltipRow{
            "EuroSign", 128, "pt_BR",
            u"EURO SIGN\n"
            u"128 \u00B7 &H80 \u00B7 &O200 \u00B7 U+20AC\n"
            u"Windows: Alt+0128\n"
            u"UTF-8: E2 82 AC \u00B7 read as Windows-1252: \u00E2\u201A\u00AC \u00B7 DOS 850: "
            u"\u00D4\u00E9\u00BC\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: A4 (ISO-8859-15) \u00B7 DB "
            u"(Mac Roman) \u00B7 none / nenhum (ISO-8859-1, DOS 850, 437)\n"
            u"Byte 80 elsewhere / O byte 80 em outras p\u00E1ginas: control / controle "
            u"(ISO-8859-1, ISO-8859-15) \u00B7 \u00C4 (Mac Roman) \u00B7 \u00C7 (DOS 850, 437)"},
        TooltipRow{
            "SingleLow9QuotationMark", 130, "pt_BR",
            u"SINGLE LOW-9 QUOTATION MARK\n"
            u"130 \u00B7 &H82 \u00B7 &O202 \u00B7 U+201A\n"
            u"Windows: Alt+0130\n"
            u"UTF-8: E2 80 9A \u00B7 read as Windows-1252: \u00E2\u20AC\u0161 \u00B7 DOS 850: "
            u"\u00D4\u00C7\u00DC\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: E2 (Mac Roman) \u00B7 none / "
            u"nenhum (ISO-8859-1, ISO-8859-15, DOS 850, 437)\n"
            u"Byte 82 elsewhere / O byte 82 em outras p\u00E1ginas: control / controle "
            u"(ISO-8859-1, ISO-8859-15) \u00B7 \u00C7 (Mac Roman) \u00B7 \u00E9 (DOS 850, 437)"},
        TooltipRow{
            "CentSign", 162, "pt_BR",
            u"CENT SIGN\n"
            u"162 \u00B7 &HA2 \u00B7 &O242 \u00B7 U+00A2\n"
            u"Windows: Alt+0162 \u00B7 DOS: Alt+189 (850; 437 \u2192 \u255C) \u00B7 Alt+155 (437; "
            u"850 \u2192 \u00F8)\n"
            u"UTF-8: C2 A2 \u00B7 read as Windows-1252: \u00C2\u00A2 \u00B7 DOS 850: \u252C\u00F3\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: BD (DOS 850) \u00B7 9B (DOS "
            u"437)\n"
            u"Byte A2 elsewhere / O byte A2 em outras p\u00E1ginas: \u00F3 (DOS 850, 437)"},
        TooltipRow{"Alert", 7, "pt_BR",
                   u"ALERT\n"
                   u"7 \u00B7 &H7 \u00B7 &O7 \u00B7 U+0007\n"
                   u"Control character / Caractere de controle\n"
                   u"UTF-8: 07\n"
                   u"Byte 07 elsewhere / O byte 07 em outras p\u00E1ginas: \u2022 (DOS 850, 437)"},
        TooltipRow{
            "CentSignIn437First", 162, "en_US",
            u"CENT SIGN\n"
            u"162 \u00B7 &HA2 \u00B7 &O242 \u00B7 U+00A2\n"
            u"Windows: Alt+0162 \u00B7 DOS: Alt+155 (437; 850 \u2192 \u00F8) \u00B7 Alt+189 (850; "
            u"437 \u2192 \u255C)\n"
            u"UTF-8: C2 A2 \u00B7 read as Windows-1252: \u00C2\u00A2 \u00B7 DOS 850: \u252C\u00F3\n"
            u"Its byte elsewhere / Seu byte em outras p\u00E1ginas: BD (DOS 850) \u00B7 9B (DOS "
            u"437)\n"
            u"Byte A2 elsewhere / O byte A2 em outras p\u00E1ginas: \u00F3 (DOS 850, 437)"}),
    testing_support::RowName());

TEST(DescribeForSpeech, IsTheTooltipInOneLine) {
  EXPECT_EQ(
      DescribeForSpeech(150, SettingForLocale("pt_BR")),
      u"EN DASH, 150, &H96, &O226, U+2013, Windows: Alt+0150, UTF-8: E2 80 93, read as "
      u"Windows-1252: \u00E2\u20AC\u201C, DOS 850: \u00D4\u00C7\u00F4, Its byte elsewhere / Seu "
      u"byte em outras p\u00E1ginas: D0 (Mac Roman), none / nenhum (ISO-8859-1, ISO-8859-15, DOS "
      u"850, 437), Byte 96 elsewhere / O byte 96 em outras p\u00E1ginas: control / controle "
      u"(ISO-8859-1, ISO-8859-15), \u00F1 (Mac Roman), \u00FB (DOS 850, 437)");
}

TEST(DescribeForSpeech, SaysAnUndefinedByteAsWords) {
  EXPECT_EQ(
      DescribeForSpeech(221, SettingForLocale("pt_BR")),
      u"LATIN CAPITAL LETTER Y WITH ACUTE, 221, &HDD, &O335, U+00DD, Windows: Alt+0221, DOS: "
      u"Alt+237 (850; 437 types / digita \u03C6), UTF-8: C3 9D, read as Windows-1252: \u00C3 byte "
      u"9D, DOS 850: \u251C\u00D8, Its byte elsewhere / Seu byte em outras p\u00E1ginas: ED (DOS "
      u"850), none / nenhum (Mac Roman, DOS 437), Byte DD elsewhere / O byte DD em outras "
      u"p\u00E1ginas: \u203A (Mac Roman), \u00A6 (DOS 850), \u258C (DOS 437)");
}

// What the boxes draw as a picture shows as nothing, or as a blank, and is passed to screen
// readers as it is: no such character may stand in what any code's tooltip or description
// says, but for the tooltip's own line breaks.
TEST(Details, HoldNoCharacterTheBoxesPictureForAnyCode) {
  const CodePageSetting kSetting = SettingForLocale("pt_BR");
  for (unsigned code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    for (const std::u16string& text :
         {DescribeForTooltip(byte, kSetting), DescribeForSpeech(byte, kSetting)}) {
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
    const std::u16string spoken = DescribeForSpeech(row.code, SettingForLocale("pt_BR"));
    EXPECT_NE(spoken.find(row.misreading), std::u16string::npos) << int{row.code};
    EXPECT_NE(DescribeForTooltip(row.code, SettingForLocale("pt_BR")).find(u"[A"),
              std::u16string::npos)
        << int{row.code};
  }
}

}  // namespace
}  // namespace zentavo
