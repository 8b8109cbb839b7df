#include "text_units.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <optional>
#include <vector>

namespace zentavo {
namespace {

constexpr int kReach = 1024;  // how far from the offset a unit's ends are looked for
constexpr int kPiece = 512;   // the grid that cuts longer units
constexpr int kContext = 64;  // what the rules see beyond the positions they judge

static_assert(kPiece * 2 <= kReach, "a piece's own ends must lie within reach");

// The boundaries of `type` from `from` to `to`, both included, judged with some context around.
std::vector<int> BoundariesBetween(QStringView text, QTextBoundaryFinder::BoundaryType type,
                                   bool word_starts_only, int from, int to) {
  const int size = static_cast<int>(text.size());
  const int window_start = std::max(0, from - kContext);
  const int window_end = std::min(size, to + kContext);
  QTextBoundaryFinder finder(type, text.data() + window_start, window_end - window_start);
  std::vector<int> boundaries;
  for (qsizetype position = 0; position != -1; position = finder.toNextBoundary()) {
    const int at = window_start + static_cast<int>(position);
    if (at < from) continue;
    if (at > to) break;
    const bool text_edge = at == 0 || at == size;
    if (!word_starts_only || text_edge ||
        finder.boundaryReasons().testFlag(QTextBoundaryFinder::StartOfItem)) {
      boundaries.push_back(at);
    }
  }
  return boundaries;
}

// The unit holding the character at `offset`, 0 <= offset < text.size().
TextRange UnitHolding(QStringView text, int offset, QTextBoundaryFinder::BoundaryType type,
                      bool word_starts_only) {
  const int size = static_cast<int>(text.size());
  const int from = std::max(0, offset - kReach);
  const int to = std::min(size, offset + kReach);
  const std::vector<int> boundaries = BoundariesBetween(text, type, word_starts_only, from, to);
  const auto after = std::upper_bound(boundaries.begin(), boundaries.end(), offset);
  std::optional<int> start;
  std::optional<int> end;
  if (after != boundaries.begin()) start = *std::prev(after);
  if (after != boundaries.end()) end = *after;
  if (start && end && *end - *start <= kReach) return {*start, *end};

  // A long unit: whichever offset of it is asked about, its ends are found exactly when they
  // are near and missed when they are not, so the piece below is the same for every offset the
  // piece covers.
  const int piece_start = offset / kPiece * kPiece;
  const int piece_end = std::min(size, piece_start + kPiece);
  return {std::max(start.value_or(piece_start), piece_start),
          std::min(end.value_or(piece_end), piece_end)};
}

}  // namespace

TextRange TextUnitAt(QStringView text, int offset, QAccessible::TextBoundaryType boundary) {
  const int size = static_cast<int>(text.size());
  offset = std::clamp(offset, 0, size);
  QTextBoundaryFinder::BoundaryType type = QTextBoundaryFinder::Grapheme;
  switch (boundary) {
    case QAccessible::CharBoundary:
      if (offset == size) return {size, size};
      break;
    case QAccessible::WordBoundary:
      type = QTextBoundaryFinder::Word;
      break;
    case QAccessible::SentenceBoundary:
      type = QTextBoundaryFinder::Sentence;
      break;
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary:
    case QAccessible::NoBoundary:
      return {0, size};
  }
  if (size == 0) return {0, 0};
  return UnitHolding(text, std::min(offset, size - 1), type, boundary == QAccessible::WordBoundary);
}

TextRange TextUnitBefore(QStringView text, int offset, QAccessible::TextBoundaryType boundary) {
  const TextRange unit = TextUnitAt(text, offset, boundary);
  if (unit.start == 0) return {0, 0};
  TextRange before = TextUnitAt(text, unit.start - 1, boundary);
  before.end = std::min(before.end, unit.start);
  return before;
}

TextRange TextUnitAfter(QStringView text, int offset, QAccessible::TextBoundaryType boundary) {
  const int size = static_cast<int>(text.size());
  const TextRange unit = TextUnitAt(text, offset, boundary);
  if (unit.end >= size) return {size, size};
  TextRange after = TextUnitAt(text, unit.end, boundary);
  after.start = std::max(after.start, unit.end);
  return after;
}

}  // namespace zentavo
