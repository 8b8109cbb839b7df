// The undo and redo history of one text box, kept by the program rather than by the toolkit, so
// that both windows undo alike: a paste of any size is one step, a run of keystrokes is one step,
// and what the steps hold is bounded. `Text` is the window's string type (QString or
// std::u16string); both have the few members used here.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <deque>
#include <utility>

namespace zentavo {

// What the steps of one box older than its newest hold at most: 512 KiB of text, hundreds of
// steps of typing and ordinary pastes. The newest is kept whatever its size.
inline constexpr std::ptrdiff_t kHistoryBudgetCharacters = std::ptrdiff_t{256} * 1024;

// Where the cursor and the selection's other end were; equal when nothing was selected.
struct CursorAndAnchor {
  std::ptrdiff_t cursor = 0;
  std::ptrdiff_t anchor = 0;
};

// One edit: `removed` was taken out at `position` and `inserted` put in its place.
template <typename Text>
struct BasicTextEdit {
  std::ptrdiff_t position = 0;
  Text removed;
  Text inserted;
  CursorAndAnchor before;  // restored when the edit is undone
  // A typed character or a single Backspace or Delete: a run of them is undone in one step.
  bool keystroke = false;
};

template <typename Text>
std::ptrdiff_t LengthOf(const Text& text) {
  return static_cast<std::ptrdiff_t>(text.size());
}

// How far two texts agree from the start, a block at a time: memcmp is many times faster than a
// loop over characters, and a keystroke in 10 MiB compares all of it.
template <typename Char>
std::ptrdiff_t CommonPrefix(const Char* a, const Char* b, std::ptrdiff_t size) {
  constexpr std::ptrdiff_t kBlock = 4096;
  std::ptrdiff_t agreed = 0;
  while (size - agreed >= kBlock &&
         std::memcmp(a + agreed, b + agreed, kBlock * sizeof(Char)) == 0) {
    agreed += kBlock;
  }
  while (agreed < size && a[agreed] == b[agreed]) ++agreed;
  return agreed;
}

// How far two texts agree back from their ends `a_end` and `b_end`, over at most `size`.
template <typename Char>
std::ptrdiff_t CommonSuffix(const Char* a_end, const Char* b_end, std::ptrdiff_t size) {
  constexpr std::ptrdiff_t kBlock = 4096;
  std::ptrdiff_t agreed = 0;
  while (size - agreed >= kBlock && std::memcmp(a_end - agreed - kBlock, b_end - agreed - kBlock,
                                                kBlock * sizeof(Char)) == 0) {
    agreed += kBlock;
  }
  while (agreed < size && a_end[-agreed - 1] == b_end[-agreed - 1]) ++agreed;
  return agreed;
}

// The edit that turned `before` into `after`, made by the toolkit where the cursor stood at
// `place`: where several readings fit (a letter typed next to the same letter), the one at the
// cursor is it. A keystroke when `by_keystroke` and at most one character went each way.
template <typename Text>
BasicTextEdit<Text> EditBetween(const Text& before, const Text& after, CursorAndAnchor place,
                                bool by_keystroke) {
  const std::ptrdiff_t shorter = std::min(LengthOf(before), LengthOf(after));
  const std::ptrdiff_t prefix = std::clamp<std::ptrdiff_t>(
      std::min({CommonPrefix(before.data(), after.data(), shorter), place.cursor, place.anchor}), 0,
      shorter);
  const std::ptrdiff_t suffix = CommonSuffix(before.data() + LengthOf(before),
                                             after.data() + LengthOf(after), shorter - prefix);
  BasicTextEdit<Text> edit{prefix, Text(before.data() + prefix, LengthOf(before) - prefix - suffix),
                           Text(after.data() + prefix, LengthOf(after) - prefix - suffix), place,
                           false};
  edit.keystroke = by_keystroke && LengthOf(edit.removed) <= 1 && LengthOf(edit.inserted) <= 1;
  return edit;
}

// Steps are whole replacements, so a paste of any size is one step, held as the text it brought
// in rather than as one record per character. The newest step is always kept, however large;
// the steps older than it hold at most `budget` characters, the oldest going first.
template <typename Text>
class BasicEditHistory {
 public:
  using Edit = BasicTextEdit<Text>;

  explicit BasicEditHistory(std::ptrdiff_t budget_characters = kHistoryBudgetCharacters)
      : budget_(budget_characters) {}

  // Records an edit just made; the steps that could have been redone are gone. A keystroke
  // that continues the previous keystroke's run joins its step.
  void Record(Edit edit) {
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

  // The edit to take back, or nullptr; the history then stands before it.
  const Edit* StepBack() {
    run_open_ = false;
    if (done_ == 0) return nullptr;
    return &steps_[--done_];
  }

  // The edit to make again, or nullptr; the history then stands after it.
  const Edit* StepForward() {
    run_open_ = false;
    if (done_ == steps_.size()) return nullptr;
    return &steps_[done_++];
  }

  void Clear() {
    steps_.clear();
    done_ = 0;
    stored_ = 0;
    run_open_ = false;
  }

  [[nodiscard]] bool CanUndo() const { return done_ > 0; }
  [[nodiscard]] bool CanRedo() const { return done_ < steps_.size(); }
  [[nodiscard]] std::ptrdiff_t StoredCharacters() const { return stored_; }
  // What the steps before the last one hold: within the budget whenever a step is recorded.
  [[nodiscard]] std::ptrdiff_t OlderStepsCharacters() const {
    return steps_.empty() ? 0 : stored_ - SizeOf(steps_.back());
  }
  [[nodiscard]] std::size_t StepCount() const { return steps_.size(); }

 private:
  static std::ptrdiff_t SizeOf(const Edit& edit) {
    return LengthOf(edit.removed) + LengthOf(edit.inserted);
  }

  bool JoinRun(const Edit& edit) {
    if (!run_open_ || done_ == 0) return false;
    Edit& last = steps_[done_ - 1];
    if (!last.keystroke) return false;
    const bool last_typed = LengthOf(last.removed) == 0;
    const bool typed = LengthOf(edit.removed) == 0;
    if (last_typed != typed) return false;  // typing, then erasing: two steps
    if (typed) {
      if (LengthOf(edit.inserted) != 0 &&
          edit.position == last.position + LengthOf(last.inserted)) {
        last.inserted += edit.inserted;
        return true;
      }
      return false;
    }
    if (LengthOf(edit.inserted) != 0 || LengthOf(last.inserted) != 0) return false;
    if (edit.position + LengthOf(edit.removed) == last.position) {  // Backspace after Backspace
      last.position = edit.position;
      last.removed.insert(0, edit.removed);
      return true;
    }
    if (edit.position == last.position) {  // Delete after Delete
      last.removed += edit.removed;
      return true;
    }
    return false;
  }

  void KeepWithinBudget() {
    // Only a new step can exceed the budget, and a new step leaves nothing to redo. The newest
    // is kept however large; the budget bounds the steps older than it, the oldest going first.
    while (steps_.size() > 1 && stored_ - SizeOf(steps_.back()) > budget_) {
      stored_ -= SizeOf(steps_.front());
      steps_.pop_front();
      --done_;
    }
  }

  std::ptrdiff_t budget_;
  std::deque<Edit> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
  std::ptrdiff_t stored_ = 0;
  bool run_open_ = false;
};

}  // namespace zentavo
