#include "window/bounded_undo_history.h"

#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace zentavo {
namespace {

// Characters removed plus characters inserted between two texts, outside what they share at
// both ends: what one edit adds to the undo history.
qsizetype CharactersEdited(const QString& before, const QString& after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  return before.size() + after.size() - 2 * (prefix + suffix);
}

}  // namespace

BoundedUndoHistory::BoundedUndoHistory(QLineEdit* box, qsizetype budget)
    : QObject(box), box_(box), budget_(budget), previous_text_(box->text()) {
  connect(box, &QLineEdit::textChanged, this, &BoundedUndoHistory::CountChange);
}

void BoundedUndoHistory::CountChange(const QString& text) {
  edited_characters_ += CharactersEdited(previous_text_, text);
  previous_text_ = text;
  if (edited_characters_ > budget_ && !forgetting_) {
    // Not from inside the change: the line edit is still finishing it.
    forgetting_ = true;
    QTimer::singleShot(0, this, &BoundedUndoHistory::ForgetHistory);
  }
}

void BoundedUndoHistory::ForgetHistory() {
  forgetting_ = false;
  edited_characters_ = 0;
  const int cursor = box_->cursorPosition();
  const int selection_start = box_->selectionStart();
  const int selection_length = box_->selectionLength();
  // Setting the same text again clears the history and, the text being unchanged, notifies
  // nobody of a change.
  box_->setText(box_->text());
  if (selection_length > 0) {
    const bool cursor_at_start = cursor == selection_start;
    box_->setSelection(cursor_at_start ? selection_start + selection_length : selection_start,
                       cursor_at_start ? -selection_length : selection_length);
  } else {
    box_->setCursorPosition(cursor);
  }
}

}  // namespace zentavo
