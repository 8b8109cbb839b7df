// The undo and redo history of one text box, kept by the box itself rather than by the toolkit.
#pragma once

#include <QString>

#include <cstddef>
#include <deque>

namespace zentavo {

// Where the cursor and the selection's other end were; equal when nothing was selected.
struct CursorAndAnchor {
  qsizetype cursor = 0;
  qsizetype anchor = 0;
};

// One edit: `removed` was taken out at `position` and `inserted` put in its place.
struct TextEdit {
  qsizetype position = 0;
  QString removed;
  QString inserted;
  CursorAndAnchor before;  // restored when the edit is undone
  // A typed character or a single Backspace or Delete: a run of them is undone in one step.
  bool keystroke = false;
};

// Steps are whole replacements, so a paste of any size is one step, held as the text it brought
// in rather than as one record per character. What the steps hold is bounded by `budget`
// characters; the oldest go first, but the newest step is always kept, however large.
class EditHistory {
 public:
  explicit EditHistory(qsizetype budget_characters) : budget_(budget_characters) {}

  // Records an edit just made; the steps that could have been redone are gone. A keystroke
  // that continues the previous keystroke's run joins its step.
  void Record(TextEdit edit);
  // The edit to take back, or nullptr; the history then stands before it.
  const TextEdit* StepBack();
  // The edit to make again, or nullptr; the history then stands after it.
  const TextEdit* StepForward();
  void Clear();

  [[nodiscard]] bool CanUndo() const { return done_ > 0; }
  [[nodiscard]] bool CanRedo() const { return done_ < steps_.size(); }
  [[nodiscard]] qsizetype StoredCharacters() const { return stored_; }
  [[nodiscard]] std::size_t StepCount() const { return steps_.size(); }

 private:
  bool JoinRun(const TextEdit& edit);
  void KeepWithinBudget();

  qsizetype budget_;
  std::deque<TextEdit> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
  qsizetype stored_ = 0;
  bool run_open_ = false;
};

}  // namespace zentavo
