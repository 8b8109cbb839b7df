#include "edit_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "font_choice.h"
#include "pasted_text.h"

namespace zentavo {
namespace {

struct KeyRow {
  const char* name;
  KeyPress press;
  bool box_steps_code;
  std::optional<EditCommand> edit;
  std::optional<StepKey> step;
  bool ignored = false;
};

TEST(CommandForKey, TheSameKeysDoTheSameInBothWindows) {
  using enum EditCommand;
  const std::vector<KeyRow> rows = {
      {"Ctrl+Z", {Key::Z, true, false, false}, false, Undo, {}},
      {"Ctrl+Shift+Z", {Key::Z, true, true, false}, false, Redo, {}},
      {"Ctrl+Y", {Key::Y, true, false, false}, false, Redo, {}},
      {"Ctrl+Shift+Y", {Key::Y, true, true, false}, false, {}, {}},
      {"AltGr+Z is a character", {Key::Z, true, false, true}, false, {}, {}},
      {"Alt+Backspace", {Key::Backspace, false, false, true}, false, Undo, {}},
      {"Backspace", {Key::Backspace, false, false, false}, false, {}, {}},
      {"Ctrl+A", {Key::A, true, false, false}, false, SelectAll, {}},
      {"Ctrl+C", {Key::C, true, false, false}, false, Copy, {}},
      {"Ctrl+Insert", {Key::Insert, true, false, false}, false, Copy, {}},
      {"Ctrl+X", {Key::X, true, false, false}, false, Cut, {}},
      {"Shift+Delete", {Key::Delete, false, true, false}, false, Cut, {}},
      {"Delete", {Key::Delete, false, false, false}, false, {}, {}},
      {"Ctrl+V", {Key::V, true, false, false}, false, Paste, {}},
      {"Shift+Insert", {Key::Insert, false, true, false}, false, Paste, {}},
      {"Insert", {Key::Insert, false, false, false}, false, {}, {}},
      {"V alone is a character", {Key::V, false, false, false}, false, {}, {}},
      {"Up steps", {Key::Up, false, false, false}, true, {}, StepKey::Up},
      {"Down steps", {Key::Down, false, false, false}, true, {}, StepKey::Down},
      {"Page Up steps", {Key::PageUp, false, false, false}, true, {}, StepKey::PageUp},
      {"Page Down steps", {Key::PageDown, false, false, false}, true, {}, StepKey::PageDown},
      {"Shift+Up selects", {Key::Up, false, true, false}, true, {}, {}},
      {"Ctrl+Down moves", {Key::Down, true, false, false}, true, {}, {}},
      {"Up in another box", {Key::Up, false, false, false}, false, {}, {}},
      {"Ctrl+Z in the stepping box", {Key::Z, true, false, false}, true, Undo, {}},
      {"Ctrl+F finds a character", {Key::F, true, false, false}, true, FindCharacter, {}},
      {"F alone is a character", {Key::F, false, false, false}, false, {}, {}},
      {"Ctrl+Shift+Insert does nothing", {Key::Insert, true, true, false}, false, {}, {}, true},
      {"Ctrl+Shift+Delete does nothing", {Key::Delete, true, true, false}, true, {}, {}, true},
      {"Ctrl+Delete is the box's own", {Key::Delete, true, false, false}, false, {}, {}},
  };
  for (const KeyRow& row : rows) {
    const KeyCommand command = CommandForKey(row.press, row.box_steps_code);
    EXPECT_EQ(command.edit, row.edit) << row.name;
    EXPECT_EQ(command.step, row.step) << row.name;
    EXPECT_EQ(command.ignored, row.ignored) << row.name;
  }
}

TEST(KeyboardMenuPlace, AtTheCaretsFootAndNeverOutsideTheBox) {
  const struct {
    const char* name;
    int caret_left, caret_bottom, width, height;
    int x, y;
  } rows[] = {
      {"inside", 30, 18, 41, 25, 30, 18},
      {"caret scrolled past the right edge", 60, 18, 41, 25, 40, 18},
      {"caret above the box", -4, -2, 41, 25, 0, 0},
      {"a box of no size", 5, 5, 0, 0, 0, 0},
  };
  for (const auto& row : rows) {
    const MenuPoint place =
        KeyboardMenuPlace(row.caret_left, row.caret_bottom, row.width, row.height);
    EXPECT_EQ(place.x, row.x) << row.name;
    EXPECT_EQ(place.y, row.y) << row.name;
  }
}

struct MenuStateRow {
  const char* name;
  EditState state;
  // Undo, Redo, Cut, Copy, Paste, Delete, Select All, Find character
  std::vector<bool> enabled;
};

TEST(IsEnabled, EachItemOnlyWhereItWouldDoSomething) {
  const std::vector<MenuStateRow> rows = {
      {"empty box, empty clipboard",
       {true, 0, 0, false, false, false},
       {false, false, false, false, false, false, false, true}},
      {"text, nothing selected",
       {true, 4, 0, true, false, true},
       {true, false, false, false, true, false, true, true}},
      {"part selected",
       {true, 4, 2, false, true, false},
       {false, true, true, true, false, true, true, true}},
      {"all selected",
       {true, 4, 4, false, false, true},
       {false, false, true, true, true, true, false, true}},
      {"read-only, part selected",
       {false, 4, 2, true, true, true},
       {false, false, false, true, false, false, true, true}},
  };
  const std::vector<EditCommand> commands = {
      EditCommand::Undo,  EditCommand::Redo,   EditCommand::Cut,       EditCommand::Copy,
      EditCommand::Paste, EditCommand::Delete, EditCommand::SelectAll, EditCommand::FindCharacter};
  for (const MenuStateRow& row : rows) {
    for (std::size_t i = 0; i < commands.size(); ++i) {
      EXPECT_EQ(IsEnabled(commands[i], row.state), row.enabled[i]) << row.name << ", item " << i;
    }
  }
}

// What the menu promises: every command once, an access key each that no other item shares, both
// languages, and beside each the very key that gives the same command in a box.
TEST(EditMenu, EveryCommandOnceWithItsOwnAccessKeyAndTheKeyThatGivesIt) {
  const struct {
    std::u16string_view shortcut;
    KeyPress press;
  } keys[] = {
      {u"Ctrl+Z", {Key::Z, true, false, false}}, {u"Ctrl+Y", {Key::Y, true, false, false}},
      {u"Ctrl+X", {Key::X, true, false, false}}, {u"Ctrl+C", {Key::C, true, false, false}},
      {u"Ctrl+V", {Key::V, true, false, false}}, {u"Ctrl+A", {Key::A, true, false, false}},
      {u"Ctrl+F", {Key::F, true, false, false}},
  };
  std::vector<EditCommand> commands;
  std::u16string access_keys;
  for (const EditMenuItem& item : kEditMenu) {
    if (!item.command) continue;
    commands.push_back(*item.command);
    const std::size_t mark = item.text.find(u'&');
    ASSERT_NE(mark, std::u16string_view::npos) << "an item without an access key";
    const char16_t key = static_cast<char16_t>(item.text[mark + 1] | 0x20);
    EXPECT_EQ(access_keys.find(key), std::u16string::npos) << "two items share an access key";
    access_keys += key;
    EXPECT_NE(item.text.find(u" / "), std::u16string_view::npos) << "not in both languages";
    // What both toolkits show: the words, then after a tab the key, which must be one that
    // gives the item's command.
    const std::u16string shown = MenuItemText(item);
    const std::size_t tab = shown.find(u'\t');
    ASSERT_NE(tab, std::u16string::npos) << "no key shown";
    EXPECT_EQ(std::u16string_view(shown).substr(0, tab), item.text);
    bool key_found = item.command == EditCommand::Delete;  // Del is the box's own key
    for (const auto& each : keys) {
      if (each.shortcut == std::u16string_view(shown).substr(tab + 1)) {
        key_found = true;
        EXPECT_EQ(CommandForKey(each.press, false).edit, item.command)
            << "the key shown does something else";
      }
    }
    EXPECT_TRUE(key_found) << "the key shown is no key of the box's";
  }
  std::vector<EditCommand> sorted = commands;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()) << "a command twice";
  EXPECT_EQ(commands.size(), std::size_t{8}) << "every command has an item";
}

struct PasteRow {
  const char* name;
  std::u16string pasted;
  std::optional<std::u16string> taken;
};

TEST(PastedText, TheFirstLineOfATextThatFitsWholeAndNothingOfOneThatDoesNot) {
  const std::vector<PasteRow> rows = {
      {"one line", u"naïve €5", u"naïve €5"},
      {"CR LF", u"ab\r\ncd", u"ab"},
      {"LF", u"ab\ncd\nef", u"ab"},
      {"a lone CR", u"ab\rcd", u"ab"},
      {"a break first", u"\r\nab", u""},
      {"empty", u"", u""},
      {"a tab stays", u"a\tb", u"a\tb"},
      {"outside on the first line", u"日本", std::nullopt},
      {"outside on a later line", u"ab\r\n\u0100", std::nullopt},
      {"a lone surrogate", u"a\xD800", std::nullopt},
  };
  for (const PasteRow& row : rows) {
    const std::optional<std::u16string_view> taken = PastedText(row.pasted);
    ASSERT_EQ(taken.has_value(), row.taken.has_value()) << row.name;
    if (taken) {
      EXPECT_EQ(std::u16string(*taken), *row.taken) << row.name;
    }
  }
}

struct PasteOutcomeRow {
  const char* name;
  std::u16string clipboard;
  bool has_selection;
  Platform platform;
  std::optional<std::u16string> put_in;
  bool beep;
};

TEST(PasteOutcomeOf, TakesTheFirstLineAndAnswersARefusalAsThePlatformsOwnBox) {
  const std::vector<PasteOutcomeRow> rows = {
      {"a line", u"65", false, Platform::Linux, u"65", false},
      {"its first line", u"65\r\n66", true, Platform::Windows, u"65", false},
      {"refused on Windows: the EDIT beeps", u"日本", false, Platform::Windows, std::nullopt, true},
      {"refused on Linux: the line edit is silent", u"日本", true, Platform::Linux, std::nullopt,
       false},
      {"empty, over a selection: the selection goes", u"", true, Platform::Windows, u"", false},
      {"empty, no selection: nothing", u"", false, Platform::Linux, std::nullopt, false},
      {"a break first, no selection: nothing", u"\nab", false, Platform::Windows, std::nullopt,
       false},
  };
  for (const PasteOutcomeRow& row : rows) {
    const PasteOutcome outcome = PasteOutcomeOf(row.clipboard, row.has_selection, row.platform);
    EXPECT_EQ(outcome.put_in.has_value(), row.put_in.has_value()) << row.name;
    if (outcome.put_in && row.put_in) {
      EXPECT_EQ(*outcome.put_in, *row.put_in) << row.name;
    }
    EXPECT_EQ(outcome.beep, row.beep) << row.name;
  }
}

struct FaceRow {
  const char* name;
  std::u16string_view face;
  bool installed;
  std::u16string_view asked;
};

TEST(FaceToAskFor, TheTablesFaceOnlyWhereItIsInstalled) {
  const std::vector<FaceRow> rows = {
      {"installed", u"Arial", true, u"Arial"},
      {"missing", u"Arial", false, u""},
      {"the platform's", u"", true, u""},
  };
  for (const FaceRow& row : rows) {
    const layout::FontRecord font{row.face, 8, 400, false, false, false, 0};
    int asked_about = 0;
    const std::u16string_view asked = FaceToAskFor(font, [&](std::u16string_view face) {
      ++asked_about;
      EXPECT_EQ(face, row.face) << row.name;
      return row.installed;
    });
    EXPECT_EQ(asked, row.asked) << row.name;
    EXPECT_EQ(asked_about, row.face.empty() ? 0 : 1)
        << row.name << ": the font system is asked once";
  }
}

}  // namespace
}  // namespace zentavo
