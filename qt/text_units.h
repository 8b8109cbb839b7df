// Characters, words and sentences of a single-line text, for a screen reader's text queries.
// Every answer costs a bounded amount of work whatever the text's length.
#pragma once

#include <QAccessible>
#include <QStringView>

#include <ostream>

namespace zentavo {

struct TextRange {
  int start;
  int end;
  friend bool operator==(const TextRange&, const TextRange&) = default;
};

inline void PrintTo(const TextRange& range, std::ostream* out) {
  *out << '[' << range.start << ", " << range.end << ')';
}

// The unit of `boundary` that holds the character at `offset`, 0 <= offset <= text.size():
//  - CharBoundary: the grapheme cluster; empty at the end of the text.
//  - WordBoundary: from a word's start to the next word's start, so that the blanks and
//    punctuation after a word go with it (a text that starts with no word begins with a unit of
//    its own). At the end of the text, the last word.
//  - SentenceBoundary: the sentence, with the blanks after it. At the end, the last one.
//  - LineBoundary, ParagraphBoundary, NoBoundary: the whole text, which is one line.
// Boundaries are the Unicode text segmentation rules as QTextBoundaryFinder applies them. A unit
// longer than 1024 characters (a pasted run of digits, say) is reported in the pieces that a grid
// of 512 characters cuts it into, so no query reads more than about 2 K characters around its
// offset; every offset within a piece is given the same piece.
[[nodiscard]] TextRange TextUnitAt(QStringView text, int offset,
                                   QAccessible::TextBoundaryType boundary);

// The unit just before and just after the one TextUnitAt gives; empty at the text's start or
// end. Before the end of the text is the last character, word or sentence.
[[nodiscard]] TextRange TextUnitBefore(QStringView text, int offset,
                                       QAccessible::TextBoundaryType boundary);
[[nodiscard]] TextRange TextUnitAfter(QStringView text, int offset,
                                      QAccessible::TextBoundaryType boundary);

}  // namespace zentavo
