// Drives a box's undo history with arbitrary edits, undos and redos, beside a model of the box
// with rules of its own: the texts the box held at each step's end, a run of keystrokes being one
// step, and the oldest steps going once the steps before the newest hold more than the budget.
// Every undo and redo must give back exactly the text the model says, and find a step exactly
// where the model has one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>

#include "edit_history.h"

namespace {

[[noreturn]] void Fail() { std::abort(); }

using History = zentavo::BasicEditHistory<std::u16string>;

constexpr std::ptrdiff_t kBudget = 24;  // small, so that steps go often

// Reads the fuzzer's bytes one at a time, zero once they run out.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  [[nodiscard]] bool Left() const { return at_ < size_; }
  std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// The box as a user would describe it: the text at each step's end, oldest first, where it
// stands among them, and what the newest step's run of keystrokes was.
class Model {
 public:
  enum class Run { None, Typing, Erasing };

  // An edit just made: `text` is the box's text after it.
  void Edit(const std::u16string& text, std::size_t position, std::size_t removed,
            std::size_t inserted, bool keystroke) {
    ends_.resize(at_ + 1);
    sizes_.resize(at_ + 1);
    const bool typing = keystroke && removed == 0 && inserted > 0;
    const bool erasing = keystroke && removed > 0 && inserted == 0;
    const bool joins = at_ > 0 && ((typing && run_ == Run::Typing && position == run_end_) ||
                                   (erasing && run_ == Run::Erasing &&
                                    (position + removed == run_start_ || position == run_start_)));
    if (joins) {
      ends_[at_] = text;
      sizes_[at_] += static_cast<std::ptrdiff_t>(removed + inserted);
    } else {
      ends_.push_back(text);
      sizes_.push_back(static_cast<std::ptrdiff_t>(removed + inserted));
      ++at_;
    }
    run_ = typing ? Run::Typing : erasing ? Run::Erasing : Run::None;
    if (typing) run_end_ = position + inserted;
    if (erasing) run_start_ = position;
    if (typing && !joins) run_start_ = position;
    // The budget: the steps before the newest hold at most kBudget characters, oldest out first.
    while (at_ > 1 && Older() > kBudget) {
      ends_.pop_front();
      sizes_.pop_front();
      --at_;
    }
  }
  // Where an undo or a redo takes the box, or nullptr where there is no step to take.
  const std::u16string* Step(bool back) {
    run_ = Run::None;
    if (back ? at_ == 0 : at_ + 1 >= ends_.size()) return nullptr;
    at_ = back ? at_ - 1 : at_ + 1;
    return &ends_[at_];
  }

 private:
  [[nodiscard]] std::ptrdiff_t Older() const {
    std::ptrdiff_t older = 0;
    for (std::size_t step = 1; step < at_; ++step) older += sizes_[step];
    return older;
  }
  std::deque<std::u16string> ends_{std::u16string()};  // before any step: the empty box
  std::deque<std::ptrdiff_t> sizes_{0};                // what each step holds
  std::size_t at_ = 0;
  Run run_ = Run::None;
  std::size_t run_start_ = 0;
  std::size_t run_end_ = 0;
};

// Takes `step` back (or makes it again) on `text`, after checking that the text holds what the
// step says it put there.
void Apply(std::u16string& text, const History::Edit& step, bool back) {
  const std::u16string& there = back ? step.inserted : step.removed;
  const std::u16string& put = back ? step.removed : step.inserted;
  const auto position = static_cast<std::size_t>(step.position);
  if (position > text.size() || text.compare(position, there.size(), there) != 0) Fail();
  text.replace(position, there.size(), put);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  History history(kBudget);
  Model model;
  std::u16string text;
  while (bytes.Left()) {
    const std::uint8_t action = bytes.Next();
    if (action % 4 == 0 || action % 4 == 1) {
      const bool back = action % 4 == 0;
      const History::Edit* step = back ? history.StepBack() : history.StepForward();
      const std::u16string* wanted = model.Step(back);
      if ((step == nullptr) != (wanted == nullptr)) Fail();  // a step where the model has none
      if (step == nullptr) continue;
      Apply(text, *step, back);
      if (text != *wanted) Fail();  // not the text the box held there
      continue;
    }
    // An edit: where, how much goes, what comes in; a keystroke when one character or none
    // goes each way, as a box records typing.
    const std::size_t position = text.empty() ? 0 : bytes.Next() % (text.size() + 1);
    const std::size_t removed = std::min<std::size_t>(bytes.Next() % 4, text.size() - position);
    std::u16string inserted(bytes.Next() % (action % 4 == 2 ? 2 : 40), u'\0');
    for (char16_t& character : inserted) character = u'a' + bytes.Next() % 3;
    if (removed == 0 && inserted.empty()) continue;
    const bool keystroke = action % 4 == 2 && removed <= 1 && inserted.size() <= 1;
    History::Edit edit{static_cast<std::ptrdiff_t>(position),
                       text.substr(position, removed),
                       inserted,
                       {},
                       keystroke};
    text.replace(position, removed, inserted);
    model.Edit(text, position, removed, inserted.size(), keystroke);
    history.Record(std::move(edit));
  }
  return 0;
}
