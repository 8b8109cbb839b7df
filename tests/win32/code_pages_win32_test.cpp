// The code-page tables the build makes from Python's codecs, against Windows' own
// (MultiByteToWideChar) byte by byte, the pictures DOS gives bytes 1 to 31 and 127 included; and
// the traps, each from Windows' own answer.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "code_notation.h"
#include "code_pages.h"
#include "code_pages_here_win32.h"
#include "windows1252.h"

namespace zentavo {
namespace {

// Where Apple's current Mac Roman table, which the build's is, parts from Windows' older one.
bool AppleAndWindowsPart(unsigned page, unsigned byte) {
  return page == 10000 && (byte == 0xBD || byte == 0xF0);
}

TEST(CodePages, TheBuiltInTablesAreWindowsOwnByteForByte) {
  for (const CodePageTable& built : BuiltInCodePages()) {
    const unsigned page = built.Number();
    const CodePageTable windows = WindowsCodePage(page, built.Kind());
    const CodePageTable* built_in = &built;
    for (unsigned byte = 0; byte < 256; ++byte) {
      if (AppleAndWindowsPart(page, byte)) continue;
      const auto each = static_cast<std::uint8_t>(byte);
      EXPECT_EQ(built_in->CharacterOf(each), windows.CharacterOf(each))
          << page << ", byte " << byte;
      EXPECT_EQ(built_in->TypedCharacterOf(each), windows.TypedCharacterOf(each))
          << page << ", byte " << byte << " as typed";
    }
  }
}

TEST(CodePages, MacRomanIsApplesCurrentTableWhereWindowsOlderOneParts) {
  const CodePageTable windows = WindowsCodePage(10000, CodePageKind::Mac);
  const CodePageTable* apple = BuiltInCodePage(10000);
  EXPECT_EQ(apple->CharacterOf(0xBD), U'\u03A9') << "Apple: Greek capital omega";
  EXPECT_EQ(windows.CharacterOf(0xBD), U'\u2126') << "Windows: the ohm sign";
  EXPECT_EQ(apple->CharacterOf(0xF0), U'\uF8FF') << "Apple: its logo, for private use";
  EXPECT_NE(windows.CharacterOf(0xF0), U'\u03A9');
  EXPECT_EQ(apple->CharacterOf(0xDB), windows.CharacterOf(0xDB)) << "both: the euro sign";
}

TEST(CodePages, Windows1252IsWindowsOwnWithItsFiveHolesAsTheirC1Controls) {
  const CodePageTable windows = WindowsCodePage(1252, CodePageKind::Windows);
  for (unsigned byte = 0; byte < 256; ++byte) {
    const auto each = static_cast<std::uint8_t>(byte);
    EXPECT_EQ(windows.CharacterOf(each), std::optional<char32_t>(CharacterForCode(each))) << byte;
  }
}

struct TrapRow {
  const char* name;
  unsigned page;
  std::uint8_t byte;
  char32_t typed;
};

TEST(CodePages, TheTrapsAsWindowsHasThem) {
  const TrapRow rows[] = {
      {"ISO-8859-1's 80 is a control", 28591, 0x80, U'\u0080'},
      {"ISO-8859-15's A4 is the euro", 28605, 0xA4, U'\u20AC'},
      {"Mac Roman's DB is the euro", 10000, 0xDB, U'\u20AC'},
      {"850's D5 is the dotless i, not the euro", 850, 0xD5, U'\u0131'},
      {"Alt+7 types the bullet", 437, 7, U'\u2022'},
      {"Alt+20 types the pilcrow", 850, 20, U'\u00B6'},
      {"Alt+21 types the section sign", 437, 21, U'\u00A7'},
      {"Alt+127 types the house", 437, 0x7F, U'\u2302'},
  };
  for (const TrapRow& row : rows) {
    EXPECT_EQ(
        WindowsCodePage(row.page, BuiltInCodePage(row.page)->Kind()).TypedCharacterOf(row.byte),
        row.typed)
        << row.name;
    EXPECT_EQ(BuiltInCodePage(row.page)->TypedCharacterOf(row.byte), row.typed) << row.name;
  }
  const std::optional<AltKeystroke> past_255 = ReadAltNotation(u"Alt+386");
  ASSERT_TRUE(past_255.has_value());
  EXPECT_EQ(WindowsCodePage(437, CodePageKind::Dos).TypedCharacterOf(past_255->byte), U'\u00E9')
      << "Alt+386 is Alt+130";
}

}  // namespace
}  // namespace zentavo
