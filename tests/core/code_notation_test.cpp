// The written forms of a code: what each writer writes (values as Python's format() and
// str.encode write them), that the conversion and each reader read it back, and what the readers
// refuse.
#include "code_notation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conversion.h"
#include "utf8_text.h"

namespace zentavo {
namespace {

using testing_support::Utf8;

TEST(Writers, WriteEachNotation) {
  EXPECT_EQ(DecimalNotation(0), u"0");
  EXPECT_EQ(DecimalNotation(150), u"150");
  EXPECT_EQ(HexadecimalNotation(0), u"&H0");
  EXPECT_EQ(HexadecimalNotation(150), u"&H96");
  EXPECT_EQ(HexadecimalNotation(255), u"&HFF");
  EXPECT_EQ(OctalNotation(150), u"&O226");
  EXPECT_EQ(CodePointNotation(0x41), u"U+0041");
  EXPECT_EQ(CodePointNotation(0x2013), u"U+2013");
  EXPECT_EQ(CodePointNotation(0x1F600), u"U+1F600");
  EXPECT_EQ(NumericReference(0x2013), u"&#8211;");
  EXPECT_EQ(UnicodeEscape(u'\u00E9'), u"\\u00E9");
  EXPECT_EQ(ByteNotation(Utf8Of(0x2013)), u"E2 80 93");
  EXPECT_EQ(ByteNotation(Utf8Of(0x1F600)), u"F0 9F 98 80");
  EXPECT_EQ(ByteNotation(Utf8Of(0)), u"00");
  EXPECT_EQ(WindowsAltNotation(65), u"Alt+0065");
  EXPECT_EQ(WindowsAltNotation(150), u"Alt+0150");
  EXPECT_EQ(DosAltNotation(7), u"Alt+7");
  EXPECT_EQ(DosAltNotation(130), u"Alt+130");
  EXPECT_EQ(Digits(10, 16, 2), u"0A");
}

// The upper row reads its notations back: every code's &H and &O forms denote the code; and
// each reader reads its writer's form of every code back.
TEST(Writers, TheUpperRowAndEachReaderReadEveryCodesFormsBack) {
  for (unsigned code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    for (const std::u16string& notation :
         {DecimalNotation(code), HexadecimalNotation(byte), OctalNotation(byte)}) {
      EXPECT_EQ(ReadLeadingNumber(notation), code) << Utf8(notation);
    }
    EXPECT_EQ(ReadDecimalCode(DecimalNotation(code)), byte);
    EXPECT_EQ(ReadHexadecimalNotation(HexadecimalNotation(byte)), code);
    EXPECT_EQ(ReadOctalNotation(OctalNotation(byte)), code);
    EXPECT_EQ(NotationOfCode(HexadecimalNotation(byte)), CodeNotation::Hexadecimal);
    EXPECT_EQ(NotationOfCode(OctalNotation(byte)), CodeNotation::Octal);
    EXPECT_EQ(ReadUnicodeEscape(UnicodeEscape(static_cast<char16_t>(code))), code);
  }
  for (const char32_t code_point : {U'\0', U'A', U'\u2013', U'\uFFFF', U'\U0001F600'}) {
    EXPECT_EQ(ReadCodePointNotation(CodePointNotation(code_point)), code_point);
    EXPECT_EQ(ReadNumericReference(NumericReference(code_point)), code_point);
  }
}

TEST(Utf8, EveryCodePointDecodesToItselfAndNothingElseDecodes) {
  for (char32_t code_point = 0; code_point <= 0x10FFFF;
       code_point += code_point < 0x10000 ? 1 : 97) {
    const std::vector<std::uint8_t> bytes = Utf8Of(code_point);
    const auto number = static_cast<std::uint32_t>(code_point);
    if (code_point >= 0xD800 && code_point <= 0xDFFF) {
      EXPECT_TRUE(bytes.empty()) << number;
    } else {
      ASSERT_EQ(DecodeOneUtf8(bytes), code_point) << number;
      ASSERT_EQ(ReadByteNotation(ByteNotation(bytes)), bytes) << number;
      ASSERT_EQ(ReadOneCodePoint(Utf16Of(code_point)), code_point) << number;
    }
  }
  const std::vector<std::vector<std::uint8_t>> refused = {
      {},                        // nothing
      {0xC0, 0x80},              // an overlong U+0000
      {0xE0, 0x80, 0x80},        // an overlong U+0000 in three
      {0xED, 0xA0, 0x80},        // a surrogate
      {0xF4, 0x90, 0x80, 0x80},  // past U+10FFFF
      {0xE2, 0x80},              // one byte short
      {0x41, 0x42},              // two characters
      {0x80},                    // a continuation byte alone
  };
  for (const std::vector<std::uint8_t>& bytes : refused) {
    EXPECT_EQ(DecodeOneUtf8(bytes), std::nullopt) << Utf8(ByteNotation(bytes));
  }
}

struct ReadRow {
  const char* name;
  std::u16string text;
  std::optional<std::uint32_t> value;
};

TEST(ReadDigits, ReadsOnlyWholeRunsOfDigitsOfTheBase) {
  const std::vector<ReadRow> rows = {
      {"hexadecimal", u"2013", 0x2013},
      {"lower case", u"ff", 255},
      {"empty", u"", std::nullopt},
      {"a sign", u"+41", std::nullopt},
      {"a minus", u"-41", std::nullopt},
      {"a prefix", u"0x41", std::nullopt},
      {"a blank", u"41 ", std::nullopt},
      {"nine digits", u"123456789", std::nullopt},
      {"a wide digit", u"\uFF11", std::nullopt},
      {"eight digits", u"FFFFFFFF", 0xFFFFFFFFu},
  };
  for (const ReadRow& row : rows) EXPECT_EQ(ReadDigits(row.text, 16), row.value) << row.name;
  EXPECT_EQ(ReadDigits(u"8", 8), std::nullopt) << "no octal digit";
  EXPECT_EQ(ReadUnsigned("99999999999999999999", 10), std::nullopt) << "past 64 bits";
}

TEST(ReadDecimalCode, ReadsOnlyWhatCharacterToCodeWrites) {
  const std::vector<ReadRow> rows = {
      {"zero", u"0", 0},
      {"a code", u"233", 233},
      {"the last code", u"255", 255},
      {"past the codes", u"256", std::nullopt},
      {"a leading zero", u"065", std::nullopt},
      {"a sign", u"+65", std::nullopt},
      {"empty", u"", std::nullopt},
      {"the box's name", u"txtParaASCII", std::nullopt},
  };
  for (const ReadRow& row : rows) {
    const std::optional<std::uint8_t> code = ReadDecimalCode(row.text);
    EXPECT_EQ(code ? std::optional<std::uint32_t>(*code) : std::nullopt, row.value) << row.name;
  }
}

TEST(ReadByteNotation, TakesTwoDigitsABlankBetween) {
  const std::vector<std::pair<std::u16string, bool>> rows = {
      {u"E2 80 93", true}, {u"e2\t80", true}, {u"E2  80", false}, {u"E280", false},
      {u"E2 8", false},    {u"E2 ", false},   {u" E2", false},    {u"", false},
  };
  for (const auto& [text, read] : rows) {
    EXPECT_EQ(ReadByteNotation(text).has_value(), read) << std::string(text.begin(), text.end());
  }
}

struct AltRow {
  const char* name;
  std::u16string text;
  std::optional<AltPage> page;
  std::uint8_t byte;
};

TEST(ReadAltNotation, ALeadingZeroMeansWindowsAndNumbersWrapAt256) {
  const std::vector<AltRow> rows = {
      {"Windows", u"Alt+0233", AltPage::Windows, 233},
      {"DOS", u"Alt+130", AltPage::Dos, 130},
      {"one digit", u"alt+7", AltPage::Dos, 7},
      {"past 255", u"Alt+386", AltPage::Dos, 130},
      {"past 255 in Windows", u"ALT+0381", AltPage::Windows, 125},
      {"zero alone", u"Alt+0", AltPage::Windows, 0},
      {"no number", u"Alt+", std::nullopt, 0},
      {"a blank", u"Alt+ 65", std::nullopt, 0},
      {"another key", u"Ctrl+65", std::nullopt, 0},
  };
  for (const AltRow& row : rows) {
    const std::optional<AltKeystroke> read = ReadAltNotation(row.text);
    EXPECT_EQ(read ? std::optional<AltPage>(read->page) : std::nullopt, row.page) << row.name;
    if (read) {
      EXPECT_EQ(read->byte, row.byte) << row.name;
    }
  }
}

}  // namespace
}  // namespace zentavo
