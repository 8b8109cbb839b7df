// Drives a box's undo history with arbitrary edits, undos and redos, beside a plain model of the
// box: the texts it has held. Every undo and redo must find its step where the history says,
// and give back a text the box really held; whenever a step is recorded, the steps before the
// newest stay within the budget.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
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
  std::u16string text;
  std::set<std::u16string> held = {text};
  while (bytes.Left()) {
    const std::uint8_t action = bytes.Next();
    if (action % 4 == 0 || action % 4 == 1) {
      const bool back = action % 4 == 0;
      const History::Edit* step = back ? history.StepBack() : history.StepForward();
      if (step == nullptr) continue;
      Apply(text, *step, back);
      if (held.count(text) == 0) Fail();  // a text the box never held
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
    held.insert(text);
    history.Record(std::move(edit));
    if (history.OlderStepsCharacters() > kBudget) Fail();
  }
  return 0;
}
