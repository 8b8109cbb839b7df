#include "edit_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utf8_text.h"

namespace zentavo {
namespace {

using testing_support::Utf8;
using EditHistory16 = BasicEditHistory<std::u16string>;
using Edit = EditHistory16::Edit;

struct DiffRow {
  const char* name;
  std::u16string before;
  std::u16string after;
  CursorAndAnchor place;
  bool by_keystroke;
  Edit expected;
};

TEST(EditBetween, FindsTheEditAtTheCursor) {
  const std::u16string long_text(10'000, u'7');
  std::u16string changed_in_the_middle = long_text;
  changed_in_the_middle[5'000] = u'x';
  const std::vector<DiffRow> rows = {
      {"typed at the end", u"15", u"150", {2, 2}, true, {2, u"", u"0", {2, 2}, true}},
      {"typed beside the same letter", u"aa", u"aaa", {1, 1}, true, {1, u"", u"a", {1, 1}, true}},
      {"Backspace", u"150", u"10", {2, 2}, true, {1, u"5", u"", {2, 2}, true}},
      {"Delete", u"150", u"10", {1, 1}, true, {1, u"5", u"", {1, 1}, true}},
      {"typed over a selection", u"hello", u"hXo", {4, 1}, true, {1, u"ell", u"X", {4, 1}, false}},
      {"one character pasted", u"ab", u"aXb", {1, 1}, false, {1, u"", u"X", {1, 1}, false}},
      {"everything replaced", u"150", u"&H41", {3, 0}, false, {0, u"150", u"&H41", {3, 0}, false}},
      {"a cursor past the text", u"ab", u"abc", {9, 9}, true, {2, u"", u"c", {9, 9}, true}},
      {"a change deep in a long text",
       long_text,
       changed_in_the_middle,
       {5'001, 5'000},
       false,
       {5'000, u"7", u"x", {5'001, 5'000}, false}},
  };
  for (const DiffRow& row : rows) {
    const Edit edit = EditBetween(row.before, row.after, row.place, row.by_keystroke);
    EXPECT_EQ(edit.position, row.expected.position) << row.name;
    EXPECT_EQ(Utf8(edit.removed), Utf8(row.expected.removed)) << row.name;
    EXPECT_EQ(Utf8(edit.inserted), Utf8(row.expected.inserted)) << row.name;
    EXPECT_EQ(edit.keystroke, row.expected.keystroke) << row.name;
  }
}

// A box in memory: the text each recorded edit leaves, and undo and redo as a window does them.
class BoxWithHistory {
 public:
  explicit BoxWithHistory(std::ptrdiff_t budget) : history_(budget) {}

  void Edit(std::ptrdiff_t position, std::u16string removed, std::u16string inserted,
            bool keystroke) {
    text_.replace(static_cast<std::size_t>(position), removed.size(), inserted);
    history_.Record({position, std::move(removed), std::move(inserted), {}, keystroke});
  }
  void Type(std::u16string_view characters) {
    for (const char16_t character : characters) Edit(Length(), u"", {character}, true);
  }
  void Backspace() { Edit(Length() - 1, text_.substr(text_.size() - 1), u"", true); }
  void Paste(std::u16string pasted) { Edit(Length(), u"", std::move(pasted), false); }
  bool Undo() {
    const EditHistory16::Edit* step = history_.StepBack();
    if (step == nullptr) return false;
    text_.replace(static_cast<std::size_t>(step->position), step->inserted.size(), step->removed);
    return true;
  }
  bool Redo() {
    const EditHistory16::Edit* step = history_.StepForward();
    if (step == nullptr) return false;
    text_.replace(static_cast<std::size_t>(step->position), step->removed.size(), step->inserted);
    return true;
  }
  [[nodiscard]] const std::u16string& Text() const { return text_; }
  [[nodiscard]] const EditHistory16& History() const { return history_; }

 private:
  [[nodiscard]] std::ptrdiff_t Length() const { return static_cast<std::ptrdiff_t>(text_.size()); }

  std::u16string text_;
  EditHistory16 history_;
};

enum class Action { Undo, Redo };

struct HistoryRow {
  const char* name;
  void (*edits)(BoxWithHistory&);
  std::vector<Action> actions;
  std::vector<std::u16string> texts;  // after each action
};

TEST(EditHistory, UndoesAndRedoesInTheStepsAUserExpects) {
  const std::vector<HistoryRow> rows = {
      {"a run of keystrokes is one step",
       [](BoxWithHistory& box) { box.Type(u"150"); },
       {Action::Undo, Action::Undo, Action::Redo},
       {u"", u"", u"150"}},
      {"typing, then erasing: two steps",
       [](BoxWithHistory& box) {
         box.Type(u"150");
         box.Backspace();
         box.Backspace();
       },
       {Action::Undo, Action::Undo, Action::Redo, Action::Redo},
       {u"150", u"", u"150", u"1"}},
      {"a paste between keystrokes is a step of its own",
       [](BoxWithHistory& box) {
         box.Type(u"ab");
         box.Paste(u"c");
         box.Type(u"de");
       },
       {Action::Undo, Action::Undo, Action::Undo},
       {u"abc", u"ab", u""}},
      {"an edit after an undo leaves nothing to redo",
       [](BoxWithHistory& box) {
         box.Type(u"65");
         box.Paste(u"&H41");
         box.Undo();
         box.Paste(u"0");
       },
       {Action::Redo, Action::Undo, Action::Redo},
       {u"650", u"65", u"650"}},
      {"an undo ends the run: typing after it is a new step",
       [](BoxWithHistory& box) {
         box.Type(u"ab");
         box.Undo();
         box.Redo();
         box.Type(u"c");
       },
       {Action::Undo, Action::Undo},
       {u"ab", u""}},
  };
  for (const HistoryRow& row : rows) {
    BoxWithHistory box(kHistoryBudgetCharacters);
    row.edits(box);
    for (std::size_t i = 0; i < row.actions.size(); ++i) {
      if (row.actions[i] == Action::Undo) {
        box.Undo();
      } else {
        box.Redo();
      }
      EXPECT_EQ(Utf8(box.Text()), Utf8(row.texts[i])) << row.name << ", after action " << i;
    }
  }
}

struct BudgetRow {
  const char* name;
  std::ptrdiff_t budget;
  std::vector<std::u16string> pastes;  // one after another, each a step
  std::vector<std::size_t> lengths;    // of the text after each undo, until none is left
};

TEST(EditHistory, KeepsTheNewestStepHoweverLargeAndOlderOnesWithinTheBudget) {
  const std::u16string huge(1'000'000, u'c');
  const std::vector<BudgetRow> rows = {
      {"older steps within the budget all stay", 10, {u"aaaa", u"bbbb", huge}, {8, 4, 0}},
      {"the oldest goes once the older ones exceed it", 10, {u"aaaa", u"bbbbbbb", huge}, {11, 4}},
      {"a newest step alone beyond the budget", 10, {huge}, {0}},
      {"typing, 150 Ki, then 450 Ki in a box's own budget",
       kHistoryBudgetCharacters,
       {u"a", std::u16string(150 * 1024, u'x'), std::u16string(450 * 1024, u'y')},
       {1 + 150 * 1024, 1, 0}},
      {"two older pastes beyond the box's own budget",
       kHistoryBudgetCharacters,
       {u"a", std::u16string(150 * 1024, u'x'), std::u16string(150 * 1024, u'x'), u"z"},
       {1 + 300 * 1024, 1 + 150 * 1024}},
  };
  for (const BudgetRow& row : rows) {
    BoxWithHistory box(row.budget);
    for (const std::u16string& pasted : row.pastes) box.Paste(pasted);
    for (const std::size_t length : row.lengths) {
      ASSERT_TRUE(box.Undo()) << row.name;
      EXPECT_EQ(box.Text().size(), length) << row.name;
    }
    EXPECT_FALSE(box.Undo()) << row.name << ": no more steps than the budget keeps";
  }
}

}  // namespace
}  // namespace zentavo
