#include "conversion.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

#include "code_notation.h"
#include "expect_conversion_failure.h"
#include "table_rows.h"
#include "windows1252.h"

namespace zentavo {
namespace {

using testing_support::ExpectConversionFailure;
using ::zentavo::PrintTo;

using Kind = ConversionFailure::Kind;

struct ReadingRow {
  std::string_view name;
  std::u16string_view text;
  double value;
};

class ReadLeadingNumberReads : public testing::TestWithParam<ReadingRow> {};

TEST_P(ReadLeadingNumberReads, TheNumberAtTheStart) {
  const ReadingRow& row = GetParam();
  const double value = ReadLeadingNumber(row.text);
  EXPECT_EQ(value, row.value);
  EXPECT_EQ(std::signbit(value), std::signbit(row.value)) << "sign of zero";
}

INSTANTIATE_TEST_SUITE_P(
    Reading, ReadLeadingNumberReads,
    testing::Values(
        ReadingRow{"Empty", u"", 0.0}, ReadingRow{"Letters", u"abc", 0.0},
        ReadingRow{"LoneMinus", u"-", 0.0}, ReadingRow{"LonePeriod", u".", 0.0},
        ReadingRow{"CommaFirst", u",5", 0.0}, ReadingRow{"SignsTwice", u"+-5", 0.0},
        ReadingRow{"Integer", u"65", 65.0}, ReadingRow{"TrailingLetters", u"65abc", 65.0},
        ReadingRow{"CommaEndsNumber", u"65,9", 65.0}, ReadingRow{"LeadingBlanks", u"  65", 65.0},
        ReadingRow{"BlanksBetweenDigits", u"6 5", 65.0},
        ReadingRow{"TabsAndLineFeeds", u"\t6\n5", 65.0},
        ReadingRow{"CarriageReturnEndsNumber", u"6\r5", 6.0},
        ReadingRow{"NulEndsNumber",
                   std::u16string_view(u"6\0"
                                       u"5",
                                       3),
                   6.0},
        ReadingRow{"PlusSign", u"+65", 65.0}, ReadingRow{"MinusSign", u"-65", -65.0},
        ReadingRow{"MinusZero", u"-0", -0.0}, ReadingRow{"PeriodFirst", u".6", 0.6},
        ReadingRow{"PeriodLast", u"6.", 6.0}, ReadingRow{"NegativeFraction", u"-.6", -0.6},
        ReadingRow{"SecondPeriodEnds", u"1.2.3", 1.2}, ReadingRow{"Exponent", u"6.5e1", 65.0},
        ReadingRow{"ExponentUpper", u"6.5E1", 65.0}, ReadingRow{"ExponentD", u"6.5d1", 65.0},
        ReadingRow{"ExponentUpperD", u"6.5D+1", 65.0},
        ReadingRow{"NegativeExponent", u"6500e-2", 65.0},
        ReadingRow{"BlanksInExponent", u"6.5 e 1", 65.0},
        ReadingRow{"ExponentWithoutDigits", u"1e", 1.0},
        ReadingRow{"ExponentSignWithoutDigits", u"1e+", 1.0},
        ReadingRow{"ExponentLetterThenLetter", u"1ex", 1.0},
        ReadingRow{"ZeroWithHugeExponent", u"0e99999999999999999999", 0.0},
        ReadingRow{"UnderflowIsZero", u"1e-400", 0.0},
        ReadingRow{"NegativeUnderflowIsMinusZero", u"-1e-400", -0.0},
        ReadingRow{"HugeNegativeExponentIsZero", u"5e-99999999999999999999999", 0.0},
        ReadingRow{"Subnormal", u"4.9406564584124654e-324",
                   std::numeric_limits<double>::denorm_min()},
        ReadingRow{"LargestDouble", u"1.7976931348623157e308", std::numeric_limits<double>::max()},
        ReadingRow{"CorrectlyRoundedTenth", u"0.1", 0.1},
        ReadingRow{"TieToEvenAtTwoToThe53", u"9007199254740993", 9007199254740992.0},
        ReadingRow{"TailDigitBreaksTie", u"9007199254740993.0000000000000000000001",
                   9007199254740994.0},
        ReadingRow{"ArabicIndicDigitIsNoDigit", u"\u0666\u0665", 0.0},
        ReadingRow{"FullWidthDigitIsNoDigit", u"\uFF16", 0.0}, ReadingRow{"Hex", u"&H41", 65.0},
        ReadingRow{"HexLower", u"&h41", 65.0}, ReadingRow{"HexLowerDigits", u"&Hff", 255.0},
        ReadingRow{"Octal", u"&O101", 65.0}, ReadingRow{"OctalLower", u"&o101", 65.0},
        ReadingRow{"OctalStopsAtEight", u"&O18", 1.0},
        ReadingRow{"HexWithBlanks", u" & H 4 1", 65.0}, ReadingRow{"HexWithoutDigits", u"&H", 0.0},
        ReadingRow{"HexThenLetter", u"&Hx", 0.0},
        ReadingRow{"AmpersandDigitsStartNoNumber", u"&101", 0.0},
        ReadingRow{"AmpersandAlone", u"&", 0.0},
        ReadingRow{"Hex16BitTopIsPositive", u"&H7FFF", 32767.0},
        ReadingRow{"Hex16BitFullIsNegative", u"&HFFFF", -1.0},
        ReadingRow{"Hex16BitSignBit", u"&H8000", -32768.0},
        ReadingRow{"HexPast16BitsIsPositive", u"&H10000", 65536.0},
        ReadingRow{"Hex32BitFullIsNegative", u"&HFFFFFFFF", -1.0},
        ReadingRow{"Hex32BitSignBit", u"&H80000000", -2147483648.0},
        ReadingRow{"HexLeadingZerosDoNotWiden", u"&H0000000000000000000000FFFF", -1.0},
        ReadingRow{"Octal16BitFull", u"&O177777", -1.0},
        ReadingRow{"Octal32BitFull", u"&O37777777777", -1.0}),
    testing_support::RowName());

struct FailureRow {
  std::string_view name;
  std::u16string_view text;
  Kind kind;
};

class ReadLeadingNumberFails : public testing::TestWithParam<FailureRow> {};

TEST_P(ReadLeadingNumberFails, WithOverflow) {
  ExpectConversionFailure([this] { (void)ReadLeadingNumber(GetParam().text); }, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Reading, ReadLeadingNumberFails,
    testing::Values(FailureRow{"AboveLargestDouble", u"1e309", Kind::Overflow},
                    FailureRow{"NegativeAboveLargestDouble", u"-1.8e308", Kind::Overflow},
                    FailureRow{"HugeExponent", u"1e99999999999999999999999", Kind::Overflow},
                    FailureRow{"SmallMantissaHugeExponent", u"0.0001e400", Kind::Overflow},
                    FailureRow{"HexPast32Bits", u"&H100000000", Kind::Overflow},
                    FailureRow{"OctalPast32Bits", u"&O40000000000", Kind::Overflow},
                    FailureRow{"HexPast64Bits", u"&H1FFFFFFFFFFFFFFFFF", Kind::Overflow}),
    testing_support::RowName());

TEST(ReadLeadingNumberLongText, ReadsEveryDigitOfAMegabyteNumber) {
  std::u16string digits(1 << 20, u'9');
  EXPECT_EQ(ReadLeadingNumber(u"0." + digits), 1.0);
  EXPECT_THROW((void)ReadLeadingNumber(digits), ConversionFailure);
  EXPECT_THROW((void)ReadLeadingNumber(u"&H" + digits), ConversionFailure);
}

struct RoundingRow {
  std::string_view name;
  double value;
  std::int16_t rounded;
};

class RoundToInt16Rounds : public testing::TestWithParam<RoundingRow> {};

// Whatever rounding mode the floating-point environment is left in, by a library or a plug-in
// in the same process, halves still go to even.
TEST_P(RoundToInt16Rounds, HalvesToEvenInEveryRoundingMode) {
  const int default_mode = std::fegetround();
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    const std::int16_t rounded = RoundToInt16(GetParam().value);
    std::fesetround(default_mode);
    EXPECT_EQ(rounded, GetParam().rounded) << "rounding mode " << mode;
  }
}

TEST(CodeToCharacter, RoundsHalvesToEvenUnderAnUpwardRoundingMode) {
  const int default_mode = std::fegetround();
  ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
  const std::u16string half = CodeToCharacter(u"0.5");
  const std::u16string sixty_six_and_a_half = CodeToCharacter(u"66.5");
  std::fesetround(default_mode);
  EXPECT_EQ(half, std::u16string(1, u'\0'));
  EXPECT_EQ(sixty_six_and_a_half, u"B");
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, RoundToInt16Rounds,
    testing::Values(
        RoundingRow{"Zero", 0.0, 0}, RoundingRow{"PointFour", 0.4, 0},
        RoundingRow{"PointFive", 0.5, 0}, RoundingRow{"PointSix", 0.6, 1},
        RoundingRow{"OnePointFive", 1.5, 2}, RoundingRow{"TwoPointFive", 2.5, 2},
        RoundingRow{"SixtyFivePointFive", 65.5, 66}, RoundingRow{"SixtyEightPointFive", 68.5, 68},
        RoundingRow{"MinusPointFive", -0.5, 0}, RoundingRow{"MinusOnePointFive", -1.5, -2},
        RoundingRow{"MinusTwoPointFive", -2.5, -2}, RoundingRow{"ThreePointFive", 3.5, 4},
        RoundingRow{"JustBelowAHalf", 0.49999999999999994, 0},
        RoundingRow{"JustAboveAHalf", 2.5000000000000004, 3},
        RoundingRow{"JustBelowTop", 32767.4, 32767},
        RoundingRow{"BottomHalfRoundsIn", -32768.5, -32768},
        RoundingRow{"Bottom", -32768.0, -32768}),
    testing_support::RowName());

struct RoundingFailureRow {
  std::string_view name;
  double value;
};

class RoundToInt16Overflows : public testing::TestWithParam<RoundingFailureRow> {};

TEST_P(RoundToInt16Overflows, OutsideTheRangeAfterRounding) {
  ExpectConversionFailure([this] { (void)RoundToInt16(GetParam().value); }, Kind::Overflow);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, RoundToInt16Overflows,
    testing::Values(
        RoundingFailureRow{"TopHalfRoundsOut", 32767.5}, RoundingFailureRow{"AboveTop", 32768.0},
        RoundingFailureRow{"BelowBottom", -32769.0},
        RoundingFailureRow{"BelowBottomHalf", -32769.5}, RoundingFailureRow{"Huge", 1e300},
        RoundingFailureRow{"PositiveInfinity", std::numeric_limits<double>::infinity()},
        RoundingFailureRow{"NegativeInfinity", -std::numeric_limits<double>::infinity()},
        RoundingFailureRow{"NotANumber", std::numeric_limits<double>::quiet_NaN()}),
    testing_support::RowName());

TEST(CodeTable, EveryCodeMapsToADistinctCharacterAndBack) {
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    const char16_t character = CharacterForCode(static_cast<std::uint8_t>(code));
    EXPECT_EQ(CodeForCharacter(character), code);
    const std::u16string decimal = Widen(std::to_string(code));
    EXPECT_EQ(CodeToCharacter(decimal), std::u16string(1, character));
    EXPECT_EQ(CharacterToCode(CodeToCharacter(decimal)), decimal);
  }
}

TEST(CodeTable, ExactlyTwoHundredFiftySixUtf16UnitsHaveACode) {
  int with_code = 0;
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    const auto code = CodeForCharacter(static_cast<char16_t>(unit));
    if (code) {
      ++with_code;
      EXPECT_EQ(CharacterForCode(*code), unit);
    }
  }
  EXPECT_EQ(with_code, 256);
}

TEST(CodeTable, LatinOneRangesAreIdentity) {
  for (unsigned code = 0; code < 256; ++code) {
    if (code >= 0x80 && code < 0xA0) continue;
    EXPECT_EQ(CharacterForCode(static_cast<std::uint8_t>(code)), code);
  }
}

struct CodeCharacterRow {
  std::string_view name;
  std::uint8_t code;
  char16_t character;
};

class CodeTableEntry : public testing::TestWithParam<CodeCharacterRow> {};

TEST_P(CodeTableEntry, MatchesTheCodePage) {
  EXPECT_EQ(CharacterForCode(GetParam().code), GetParam().character);
}

INSTANTIATE_TEST_SUITE_P(CodeTable, CodeTableEntry,
                         testing::Values(CodeCharacterRow{"Euro", 0x80, u'\u20AC'},
                                         CodeCharacterRow{"Undefined81", 0x81, u'\u0081'},
                                         CodeCharacterRow{"LowQuote", 0x82, u'\u201A'},
                                         CodeCharacterRow{"Ellipsis", 0x85, u'\u2026'},
                                         CodeCharacterRow{"Undefined8D", 0x8D, u'\u008D'},
                                         CodeCharacterRow{"Undefined8F", 0x8F, u'\u008F'},
                                         CodeCharacterRow{"Undefined90", 0x90, u'\u0090'},
                                         CodeCharacterRow{"TradeMark", 0x99, u'\u2122'},
                                         CodeCharacterRow{"Undefined9D", 0x9D, u'\u009D'},
                                         CodeCharacterRow{"YDiaeresis", 0x9F, u'\u0178'},
                                         CodeCharacterRow{"NoBreakSpace", 0xA0, u'\u00A0'},
                                         CodeCharacterRow{"EAcute", 0xE9, u'\u00E9'},
                                         CodeCharacterRow{"OAcute", 0xF3, u'\u00F3'}),
                         testing_support::RowName());

struct CodeToCharacterRow {
  std::string_view name;
  std::u16string_view text;
  char16_t character;
};

class CodeToCharacterConverts : public testing::TestWithParam<CodeToCharacterRow> {};

TEST_P(CodeToCharacterConverts, ToOneCharacter) {
  EXPECT_EQ(CodeToCharacter(GetParam().text), std::u16string(1, GetParam().character));
}

INSTANTIATE_TEST_SUITE_P(
    Conversion, CodeToCharacterConverts,
    testing::Values(
        CodeToCharacterRow{"UpperA", u"65", u'A'}, CodeToCharacterRow{"LowerA", u"97", u'a'},
        CodeToCharacterRow{"Space", u"32", u' '}, CodeToCharacterRow{"Euro", u"128", u'\u20AC'},
        CodeToCharacterRow{"EAcute", u"233", u'\u00E9'},
        CodeToCharacterRow{"YDiaeresis", u"255", u'\u00FF'},
        CodeToCharacterRow{"CodeZero", u"0", u'\0'}, CodeToCharacterRow{"Empty", u"", u'\0'},
        CodeToCharacterRow{"Letters", u"abc", u'\0'}, CodeToCharacterRow{"LoneMinus", u"-", u'\0'},
        CodeToCharacterRow{"LonePeriod", u".", u'\0'},
        CodeToCharacterRow{"CommaFirst", u",5", u'\0'},
        CodeToCharacterRow{"TrailingLetters", u"65abc", u'A'},
        CodeToCharacterRow{"CommaEnds", u"65,9", u'A'},
        CodeToCharacterRow{"CommaAfterOne", u"1,5", u'\x01'},
        CodeToCharacterRow{"LeadingBlanks", u"  65", u'A'},
        CodeToCharacterRow{"InnerBlank", u"6 5", u'A'},
        CodeToCharacterRow{"RoundsDown", u"65.4", u'A'},
        CodeToCharacterRow{"HalfToEvenUp", u"65.5", u'B'},
        CodeToCharacterRow{"HalfToEvenDown", u"66.5", u'B'},
        CodeToCharacterRow{"HalfToEvenDownAgain", u"68.5", u'D'},
        CodeToCharacterRow{"PointSix", u".6", u'\x01'},
        CodeToCharacterRow{"MinusPointFour", u"-0.4", u'\0'},
        CodeToCharacterRow{"MinusPointFive", u"-0.5", u'\0'},
        CodeToCharacterRow{"PlusSign", u"+65", u'A'},
        CodeToCharacterRow{"Exponent", u"6.5e1", u'A'}, CodeToCharacterRow{"Hex", u"&H41", u'A'},
        CodeToCharacterRow{"HexLower", u"&h41", u'A'}, CodeToCharacterRow{"Octal", u"&O101", u'A'},
        CodeToCharacterRow{"Delete", u"127", u'\x7F'}),
    testing_support::RowName());

class CodeToCharacterFails : public testing::TestWithParam<FailureRow> {};

TEST_P(CodeToCharacterFails, WithTheRightKind) {
  ExpectConversionFailure([this] { (void)CodeToCharacter(GetParam().text); }, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Conversion, CodeToCharacterFails,
    testing::Values(FailureRow{"MinusPointSix", u"-0.6", Kind::InvalidArgument},
                    FailureRow{"MinusPointSixNoZero", u"-.6", Kind::InvalidArgument},
                    FailureRow{"JustAboveCodes", u"256", Kind::InvalidArgument},
                    FailureRow{"MinusOne", u"-1", Kind::InvalidArgument},
                    FailureRow{"Int16Top", u"32767", Kind::InvalidArgument},
                    FailureRow{"Int16BottomHalf", u"-32768.5", Kind::InvalidArgument},
                    FailureRow{"HexAllOnes", u"&HFFFF", Kind::InvalidArgument},
                    FailureRow{"AboveInt16", u"32768", Kind::Overflow},
                    FailureRow{"BelowInt16", u"-32769", Kind::Overflow},
                    FailureRow{"TopHalf", u"32767.5", Kind::Overflow},
                    FailureRow{"HundredThousand", u"100000", Kind::Overflow},
                    FailureRow{"TenToTheTen", u"1e10", Kind::Overflow},
                    FailureRow{"PastDouble", u"1e400", Kind::Overflow},
                    FailureRow{"HexPast16Bits", u"&H10000", Kind::Overflow}),
    testing_support::RowName());

TEST(ConversionFailure, NamesItsKind) {
  EXPECT_STREQ(ConversionFailure(Kind::Overflow).what(), "overflow");
  EXPECT_STREQ(ConversionFailure(Kind::InvalidArgument).what(), "invalid argument");
}

struct CharacterToCodeRow {
  std::string_view name;
  std::u16string_view text;
  std::u16string_view code;
};

class CharacterToCodeConverts : public testing::TestWithParam<CharacterToCodeRow> {};

TEST_P(CharacterToCodeConverts, FirstCharacterOnly) {
  EXPECT_EQ(CharacterToCode(GetParam().text), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Conversion, CharacterToCodeConverts,
    testing::Values(CharacterToCodeRow{"Empty", u"", u"32"},
                    CharacterToCodeRow{"UpperA", u"A", u"65"},
                    CharacterToCodeRow{"RestIgnored", u"Abc", u"65"},
                    CharacterToCodeRow{"LeadingSpace", u" x", u"32"},
                    CharacterToCodeRow{"EAcute", u"\u00E9", u"233"},
                    CharacterToCodeRow{"Euro", u"\u20AC", u"128"},
                    CharacterToCodeRow{"DigitZero", u"0", u"48"},
                    CharacterToCodeRow{"Nul", std::u16string_view(u"\0", 1), u"0"},
                    CharacterToCodeRow{"YDiaeresis", u"\u00FF", u"255"},
                    CharacterToCodeRow{"OutsideCodePage", u"\u0100", u"63"},
                    CharacterToCodeRow{"HighSurrogate", u"\xD83D\xDE00", u"63"},
                    CharacterToCodeRow{"LoneLowSurrogate", u"\xDE00", u"63"}),
    testing_support::RowName());

}  // namespace
}  // namespace zentavo
