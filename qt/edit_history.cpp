#include "edit_history.h"

#include <utility>

namespace zentavo {
namespace {

qsizetype SizeOf(const TextEdit& edit) { return edit.removed.size() + edit.inserted.size(); }

}  // namespace

void EditHistory::Record(TextEdit edit) {
  while (steps_.size() > done_) {
    stored_ -= SizeOf(steps_.back());
    steps_.pop_back();
  }
  stored_ += SizeOf(edit);
  if (!edit.keystroke || !JoinRun(edit)) {
    steps_.push_back(std::move(edit));
    ++done_;
  }
  run_open_ = steps_.back().keystroke;
  KeepWithinBudget();
}

bool EditHistory::JoinRun(const TextEdit& edit) {
  if (!run_open_ || done_ == 0) return false;
  TextEdit& last = steps_[done_ - 1];
  if (!last.keystroke) return false;
  const bool last_typed = last.removed.isEmpty();
  const bool typed = edit.removed.isEmpty();
  if (last_typed != typed) return false;  // typing, then erasing: two steps
  if (typed) {
    if (!edit.inserted.isEmpty() && edit.position == last.position + last.inserted.size()) {
      last.inserted += edit.inserted;
      return true;
    }
    return false;
  }
  if (!edit.inserted.isEmpty() || !last.inserted.isEmpty()) return false;
  if (edit.position + edit.removed.size() == last.position) {  // Backspace after Backspace
    last.position = edit.position;
    last.removed.prepend(edit.removed);
    return true;
  }
  if (edit.position == last.position) {  // Delete after Delete
    last.removed += edit.removed;
    return true;
  }
  return false;
}

const TextEdit* EditHistory::StepBack() {
  run_open_ = false;
  if (done_ == 0) return nullptr;
  return &steps_[--done_];
}

const TextEdit* EditHistory::StepForward() {
  run_open_ = false;
  if (done_ == steps_.size()) return nullptr;
  return &steps_[done_++];
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  stored_ = 0;
  run_open_ = false;
}

void EditHistory::KeepWithinBudget() {
  // Only a new step can exceed the budget, and a new step leaves nothing to redo: the oldest
  // steps go, the newest stays.
  while (stored_ > budget_ && steps_.size() > 1) {
    stored_ -= SizeOf(steps_.front());
    steps_.pop_front();
    --done_;
  }
}

}  // namespace zentavo
