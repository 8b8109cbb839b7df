// Zentavo.exe's one-line edit control alone, in a window of the test's own under wine: its keys,
// its answers to the EDIT messages, its scrolling and its mouse, and the rules it moves by.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "line_edit_win32.h"
#include "line_navigation.h"
#include "win32_test_support.h"

namespace zentavo {
namespace {

TEST(LineNavigation, MovesByBlankSeparatedWords) {
  struct Row {
    const char* name;
    std::u16string text;
    std::size_t from;
    std::size_t previous, next;
    CharacterRange word;
  };
  const std::vector<Row> rows = {
      {"inside a word", u"ab  cd", 1, 0, 4, {0, 2}},
      {"on the blanks", u"ab  cd", 2, 0, 4, {2, 4}},
      {"at a word's start", u"ab  cd", 4, 0, 6, {4, 6}},
      {"at the end", u"ab  cd", 6, 4, 6, {4, 6}},
      {"beyond the end", u"ab", 9, 0, 2, {0, 2}},
      {"punctuation is part of a word", u"&H41 \u00E9, x", 6, 5, 8, {5, 7}},
      {"tabs break words", u"a\tb", 2, 0, 3, {2, 3}},
      {"empty", u"", 0, 0, 0, {0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(PreviousWordStart(row.text, row.from), row.previous);
    EXPECT_EQ(NextWordStart(row.text, row.from), row.next);
    const CharacterRange word = WordAround(row.text, row.from);
    EXPECT_EQ(word.start, row.word.start);
    EXPECT_EQ(word.end, row.word.end);
  }
}

TEST(LineNavigation, FitsAndPlacesByCharacterWidths) {
  EXPECT_EQ(CountFittingFromEnd({5, 5, 5}, 11), 2U);
  EXPECT_EQ(CountFittingFromEnd({5, 5, 5}, 15), 3U);
  EXPECT_EQ(CountFittingFromEnd({9, 2}, 10), 1U);  // counted from the last
  EXPECT_EQ(CountFittingFromEnd({5}, 4), 0U);
  EXPECT_EQ(CountFittingFromEnd({}, 10), 0U);
  // A click lands before the character whose middle it does not reach.
  const std::vector<int> widths = {6, 7};
  const std::vector<std::pair<int, std::size_t>> clicks = {{-4, 0}, {0, 0},  {2, 0},  {3, 1},
                                                           {9, 1},  {10, 2}, {200, 2}};
  for (const auto& [x, place] : clicks) EXPECT_EQ(CaretPlaceAt(widths, x), place) << x;
}

// A window of the test's own holding one control, counting the control's EN_CHANGE.
class LineEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LineEditWin32::Register(GetModuleHandleW(nullptr));
    WNDCLASSW parent_class{};
    parent_class.lpfnWndProc = &Parent;
    parent_class.hInstance = GetModuleHandleW(nullptr);
    parent_class.lpszClassName = L"LineEditTestParent";
    RegisterClassW(&parent_class);
    parent_ = CreateWindowExW(0, L"LineEditTestParent", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              300, 80, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    box_ = CreateWindowExW(0, LineEditWin32::kClassName, L"one two three", WS_CHILD | WS_VISIBLE, 0,
                           0, 200, 24, parent_, reinterpret_cast<HMENU>(7),
                           GetModuleHandleW(nullptr), nullptr);
    SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    SetFocus(box_);
    changes = 0;
  }
  void TearDown() override { DestroyWindow(parent_); }
  static LRESULT CALLBACK Parent(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) ++changes;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  [[nodiscard]] LineEditWin32& Edit() const { return *LineEditWin32::FromHandle(box_); }
  [[nodiscard]] std::u16string Text() const { return std::u16string(Edit().Text()); }
  [[nodiscard]] int XOf(int index) const {
    return static_cast<short>(LOWORD(SendMessageW(box_, EM_POSFROMCHAR, index, 0)));
  }

  static inline int changes = 0;
  HWND parent_ = nullptr;
  HWND box_ = nullptr;
};

TEST_F(LineEditTest, KeysMoveSelectAndEraseAsTheEditsDo) {
  struct Row {
    const char* name;
    CursorAndAnchor before;
    std::vector<int> held;
    UINT message;  // WM_KEYDOWN or WM_CHAR
    WPARAM key;
    std::u16string text;
    CursorAndAnchor after;
  };
  const std::vector<Row> rows = {
      {"Left", {5, 5}, {}, WM_KEYDOWN, VK_LEFT, u"one two three", {4, 4}},
      {"Left onto a selection's start", {5, 2}, {}, WM_KEYDOWN, VK_LEFT, u"one two three", {2, 2}},
      {"Right onto a selection's end", {2, 5}, {}, WM_KEYDOWN, VK_RIGHT, u"one two three", {5, 5}},
      {"Up moves along the line", {5, 5}, {}, WM_KEYDOWN, VK_UP, u"one two three", {4, 4}},
      {"Down moves along the line", {5, 5}, {}, WM_KEYDOWN, VK_DOWN, u"one two three", {6, 6}},
      {"Shift+Left", {5, 5}, {VK_SHIFT}, WM_KEYDOWN, VK_LEFT, u"one two three", {4, 5}},
      {"Ctrl+Left", {5, 5}, {VK_CONTROL}, WM_KEYDOWN, VK_LEFT, u"one two three", {4, 4}},
      {"Ctrl+Right", {0, 0}, {VK_CONTROL}, WM_KEYDOWN, VK_RIGHT, u"one two three", {4, 4}},
      {"Ctrl+Shift+Right",
       {4, 4},
       {VK_CONTROL, VK_SHIFT},
       WM_KEYDOWN,
       VK_RIGHT,
       u"one two three",
       {8, 4}},
      {"Shift+Home", {5, 5}, {VK_SHIFT}, WM_KEYDOWN, VK_HOME, u"one two three", {0, 5}},
      {"End", {5, 5}, {}, WM_KEYDOWN, VK_END, u"one two three", {13, 13}},
      {"Delete", {3, 3}, {}, WM_KEYDOWN, VK_DELETE, u"onetwo three", {3, 3}},
      {"Delete at the end", {13, 13}, {}, WM_KEYDOWN, VK_DELETE, u"one two three", {13, 13}},
      {"Delete a selection", {0, 4}, {}, WM_KEYDOWN, VK_DELETE, u"two three", {0, 0}},
      {"Ctrl+Delete", {4, 4}, {VK_CONTROL}, WM_KEYDOWN, VK_DELETE, u"one three", {4, 4}},
      {"Ctrl+Backspace", {7, 7}, {VK_CONTROL}, WM_KEYDOWN, VK_BACK, u"one  three", {4, 4}},
      {"Backspace", {1, 1}, {}, WM_CHAR, u'\b', u"ne two three", {0, 0}},
      {"Backspace at the start", {0, 0}, {}, WM_CHAR, u'\b', u"one two three", {0, 0}},
      {"typed over a selection", {3, 0}, {}, WM_CHAR, u'X', u"X two three", {1, 1}},
      {"a control character is not typed", {3, 3}, {}, WM_CHAR, 0x7F, u"one two three", {3, 3}},
      {"Ctrl+A selects all", {3, 3}, {}, WM_CHAR, 0x01, u"one two three", {13, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetWindowTextW(box_, L"one two three");
    SendMessageW(box_, EM_SETSEL, static_cast<WPARAM>(row.before.anchor),
                 static_cast<LPARAM>(row.before.cursor));
    {
      const KeysHeld held(row.held);
      SendMessageW(box_, row.message, row.key, 0);
    }
    EXPECT_EQ(Text(), row.text);
    EXPECT_EQ(Edit().Selection().cursor, row.after.cursor);
    EXPECT_EQ(Edit().Selection().anchor, row.after.anchor);
  }
}

TEST_F(LineEditTest, ReportsEachChangeExactly) {
  SendMessageW(box_, EM_SETSEL, 4, 7);
  changes = 0;
  SendMessageW(box_, WM_CHAR, u'X', 0);
  const LineEditWin32::Change& change = Edit().LastChange();
  EXPECT_EQ(change.position, 4);
  EXPECT_EQ(change.removed, u"two");
  EXPECT_EQ(change.inserted, 1);
  EXPECT_EQ(change.before.anchor, 4);
  EXPECT_EQ(change.before.cursor, 7);
  EXPECT_EQ(changes, 1);
  // A text set as it was is heard all the same, as from an EDIT; a read-only box takes no key.
  SetWindowTextW(box_, L"one X three");
  EXPECT_EQ(changes, 2);
  SendMessageW(box_, EM_SETREADONLY, TRUE, 0);
  SendMessageW(box_, WM_CHAR, u'Y', 0);
  SendMessageW(box_, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(Text(), u"one X three");
  EXPECT_EQ(changes, 2);
}

TEST_F(LineEditTest, AnswersTheEditMessages) {
  wchar_t four[4]{};
  EXPECT_EQ(SendMessageW(box_, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(four)), 3);
  EXPECT_STREQ(four, L"one");
  EXPECT_EQ(SendMessageW(box_, WM_GETTEXTLENGTH, 0, 0), 13);
  SendMessageW(box_, EM_SETSEL, 2, 6);
  EXPECT_EQ(SendMessageW(box_, EM_GETSEL, 0, 0), MAKELRESULT(2, 6));
  SendMessageW(box_, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // deselects, the caret stays
  EXPECT_EQ(SendMessageW(box_, EM_GETSEL, 0, 0), MAKELRESULT(6, 6));
  SendMessageW(box_, EM_SETSEL, 0, static_cast<LPARAM>(-1));
  EXPECT_EQ(SendMessageW(box_, EM_GETSEL, 0, 0), MAKELRESULT(0, 13));
  wchar_t line[8]{};
  *reinterpret_cast<WORD*>(line) = 5;
  EXPECT_EQ(SendMessageW(box_, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line)), 5);
  EXPECT_EQ(std::wstring(line, 5), L"one t");
  EXPECT_EQ(SendMessageW(box_, EM_GETLINECOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(box_, EM_LINELENGTH, 0, 0), 13);
  EXPECT_EQ(SendMessageW(box_, EM_CANUNDO, 0, 0), FALSE);  // the box's history undoes
  EXPECT_EQ(SendMessageW(box_, EM_POSFROMCHAR, 14, 0), -1);
  // Each place on the line and the character found there agree.
  for (int index = 0; index <= 13; ++index) {
    const LRESULT found = SendMessageW(box_, EM_CHARFROMPOS, 0, MAKELPARAM(XOf(index), 10));
    EXPECT_EQ(LOWORD(found), index);
    if (index > 0) {
      EXPECT_GT(XOf(index), XOf(index - 1));
    }
  }
}

TEST_F(LineEditTest, ScrollsToKeepTheCaretInSight) {
  RECT client{};
  GetClientRect(box_, &client);
  const std::wstring long_text(2000, L'm');
  SetWindowTextW(box_, long_text.c_str());
  EXPECT_EQ(SendMessageW(box_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  SendMessageW(box_, WM_KEYDOWN, VK_END, 0);
  const LRESULT first_shown = SendMessageW(box_, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(first_shown, 1900);
  EXPECT_LE(XOf(2000), client.right);
  EXPECT_GT(XOf(2000), client.right * 2 / 3 - 20);  // a third in from the edge it left by
  EXPECT_LT(XOf(static_cast<int>(first_shown) - 1), 0);
  SendMessageW(box_, WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(SendMessageW(box_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  // A text that fits again shows from its start.
  SendMessageW(box_, WM_KEYDOWN, VK_END, 0);
  SetWindowTextW(box_, L"short");
  EXPECT_EQ(SendMessageW(box_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(LineEditTest, ClicksPlaceTheCaretAndDoubleClicksTakeAWord) {
  SendMessageW(box_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(XOf(5), 10));
  SendMessageW(box_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(XOf(9), 10));
  SendMessageW(box_, WM_LBUTTONUP, 0, MAKELPARAM(XOf(9), 10));
  EXPECT_EQ(Edit().Selection().anchor, 5);
  EXPECT_EQ(Edit().Selection().cursor, 9);
  SendMessageW(box_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(XOf(5) + 1, 10));
  SendMessageW(box_, WM_LBUTTONUP, 0, MAKELPARAM(XOf(5) + 1, 10));
  EXPECT_EQ(Edit().Selection().anchor, 4);
  EXPECT_EQ(Edit().Selection().cursor, 7);
}

}  // namespace
}  // namespace zentavo
