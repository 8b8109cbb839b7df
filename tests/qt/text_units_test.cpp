#include "text_units.h"

#include <QString>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "hang_watchdog.h"
#include "table_rows.h"

namespace zentavo {
namespace {

using testing_support::HangWatchdog;
using ::zentavo::PrintTo;
using Boundary = QAccessible::TextBoundaryType;

struct UnitRow {
  std::string_view name;
  std::u16string_view text;
  Boundary boundary;
  int offset;
  TextRange at;
  TextRange before;
  TextRange after;
};

class TextUnit : public testing::TestWithParam<UnitRow> {};

TEST_P(TextUnit, AtBeforeAndAfterTheOffset) {
  const UnitRow& row = GetParam();
  const QString text = QString::fromUtf16(row.text.data(), static_cast<qsizetype>(row.text.size()));
  HangWatchdog watchdog(std::chrono::seconds(10), std::string(row.name));
  EXPECT_EQ(TextUnitAt(text, row.offset, row.boundary), row.at);
  EXPECT_EQ(TextUnitBefore(text, row.offset, row.boundary), row.before);
  EXPECT_EQ(TextUnitAfter(text, row.offset, row.boundary), row.after);
}

constexpr Boundary kChar = QAccessible::CharBoundary;
constexpr Boundary kWord = QAccessible::WordBoundary;
constexpr Boundary kSentence = QAccessible::SentenceBoundary;
constexpr Boundary kLine = QAccessible::LineBoundary;

// The rows the toolkit's own interface spun on are here: a word query at the end of any text,
// and at a character that is neither a letter nor a digit.
INSTANTIATE_TEST_SUITE_P(
    Units, TextUnit,
    testing::Values(
        UnitRow{"CodeWordAtStart", u"65", kWord, 0, {0, 2}, {0, 0}, {2, 2}},
        UnitRow{"CodeWordAtEnd", u"65", kWord, 2, {0, 2}, {0, 0}, {2, 2}},
        UnitRow{"CodeCharacterAtEnd", u"65", kChar, 2, {2, 2}, {1, 2}, {2, 2}},
        UnitRow{"CodeCharacter", u"65", kChar, 0, {0, 1}, {0, 0}, {1, 2}},
        UnitRow{"EnDashWord", u"\u2013", kWord, 0, {0, 1}, {0, 0}, {1, 1}},
        UnitRow{"SoftHyphenWordAtEnd", u"\u00AD", kWord, 1, {0, 1}, {0, 0}, {1, 1}},
        UnitRow{"NullWord", std::u16string_view(u"\0", 1), kWord, 0, {0, 1}, {0, 0}, {1, 1}},
        UnitRow{"WordTakesTheBlanksAfterIt", u"hello, world", kWord, 3, {0, 7}, {0, 0}, {7, 12}},
        UnitRow{"SecondWord", u"hello, world", kWord, 9, {7, 12}, {0, 7}, {12, 12}},
        UnitRow{"LeadingBlanksAreAUnit", u"  65", kWord, 1, {0, 2}, {0, 0}, {2, 4}},
        UnitRow{"DecimalIsOneWord", u"6.5e1 x", kWord, 2, {0, 6}, {0, 0}, {6, 7}},
        UnitRow{"Sentences", u"Hi. Yes.", kSentence, 5, {4, 8}, {0, 4}, {8, 8}},
        UnitRow{"LineIsTheWholeText", u"6 5 abc", kLine, 3, {0, 7}, {0, 0}, {7, 7}},
        UnitRow{"EmptyText", u"", kWord, 0, {0, 0}, {0, 0}, {0, 0}},
        UnitRow{"EmptyTextCharacter", u"", kChar, 0, {0, 0}, {0, 0}, {0, 0}}),
    testing_support::RowName());

// Walking a text unit by unit, as a screen reader reading on does, must cover it without gaps or
// overlaps and end; and every offset of a unit must be given that same unit.
void ExpectUnitsTileTheText(const QString& text, Boundary boundary) {
  const int size = static_cast<int>(text.size());
  int offset = 0;
  while (offset < size) {
    const TextRange unit = TextUnitAt(text, offset, boundary);
    ASSERT_EQ(unit.start, offset) << "a gap or an overlap";
    ASSERT_GT(unit.end, unit.start) << "no progress at " << offset;
    for (int inside = unit.start; inside < unit.end; ++inside) {
      ASSERT_EQ(TextUnitAt(text, inside, boundary), unit) << "offset " << inside;
    }
    if (unit.start > 0) {
      ASSERT_EQ(TextUnitBefore(text, offset, boundary).end, unit.start);
    }
    const TextRange after = TextUnitAfter(text, offset, boundary);
    ASSERT_EQ(after.start, unit.end);
    offset = unit.end;
  }
}

struct TilingRow {
  std::string_view name;
  QString text;
};

class TextUnits : public testing::TestWithParam<TilingRow> {};

TEST_P(TextUnits, TileTheTextAndAgreeAtEveryOffset) {
  HangWatchdog watchdog(std::chrono::seconds(60), std::string(GetParam().name));
  for (const Boundary boundary : {kChar, kWord, kSentence, kLine}) {
    SCOPED_TRACE(static_cast<int>(boundary));
    ExpectUnitsTileTheText(GetParam().text, boundary);
  }
}

QString Repeated(const QString& piece, int times) {
  QString text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextUnits,
    testing::Values(
        TilingRow{"Prose", QStringLiteral("Write a code. Escreva um c\u00F3digo, 65 \u2013 &H41!")},
        TilingRow{"Controls", QString::fromUtf16(u"\t\n\0\u007F \u00A0\u00AD-", 8)},
        // Longer than the reach around an offset, so they are cut into pieces.
        TilingRow{"LongRunOfDigits", QStringLiteral("65.") + QString(3000, u'0')},
        TilingRow{"LongRunOfBlanks", QString(2500, u' ') + QStringLiteral("65")},
        TilingRow{"ManyShortWords", Repeated(QStringLiteral("ab, cd. "), 400)}),
    testing_support::RowName());

TEST(TextUnitsOfAMegabyte, AreBoundedPiecesAndWordsStayWhole) {
  HangWatchdog watchdog(std::chrono::seconds(60), "a megabyte of text");
  const QString digits = QStringLiteral("65") + QString(1 << 20, u'6');
  EXPECT_EQ(TextUnitAt(digits, 700'000, kWord), (TextRange{699'904, 700'416}));
  EXPECT_EQ(TextUnitAt(digits, 1 << 20, kWord).end, (1 << 20) + 2);
  EXPECT_EQ(TextUnitAt(digits, 3, kLine), (TextRange{0, (1 << 20) + 2}));

  const QString words = Repeated(QStringLiteral("lorem ipsum "), 90'000);
  EXPECT_EQ(TextUnitAt(words, 600'003, kWord), (TextRange{600'000, 600'006}));
  EXPECT_EQ(TextUnitAfter(words, 600'003, kWord), (TextRange{600'006, 600'012}));
  EXPECT_EQ(TextUnitAt(words, 600'003, kSentence), (TextRange{599'552, 600'064}))
      << "one long sentence, in pieces";
}

}  // namespace
}  // namespace zentavo
