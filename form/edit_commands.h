// What a text box does for its keys and its context menu, decided once for both windows: which
// keys undo, redo, cut, copy, paste, select all and step a code, and the menu's items, words and
// when each can be chosen.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "code_stepping.h"

namespace zentavo {

enum class EditCommand { Undo, Redo, Cut, Copy, Paste, Delete, SelectAll, FindCharacter };

// A key as both windows name it; any key without a command here is `Other`, left to the box.
enum class Key {
  Other,
  A,
  C,
  F,
  V,
  X,
  Y,
  Z,
  Insert,
  Delete,
  Backspace,
  Up,
  Down,
  PageUp,
  PageDown
};

struct KeyPress {
  Key key = Key::Other;
  bool control = false;
  bool shift = false;
  bool alt = false;
};

// The command `press` gives in a box: an edit, a step of the code (only in the box that steps,
// and only for the step keys pressed alone), or nothing, when the key keeps the box's own
// meaning (a typed character, the caret's movements).
struct KeyCommand {
  std::optional<EditCommand> edit;
  std::optional<StepKey> step;
  // The key does nothing at all: Ctrl+Shift+Insert and Ctrl+Shift+Delete, which name no command
  // and which one toolkit's box would otherwise take as a paste or a cut of its own, round the
  // box's checks and history.
  bool ignored = false;
};
[[nodiscard]] KeyCommand CommandForKey(const KeyPress& press, bool box_steps_code);

// What the menu's items depend on, as the box stands when its menu opens.
struct EditState {
  bool editable = true;
  std::ptrdiff_t text_length = 0;
  std::ptrdiff_t selection_length = 0;
  bool can_undo = false;
  bool can_redo = false;
  bool clipboard_holds_text = false;  // a text of at least one character
};

[[nodiscard]] bool IsEnabled(EditCommand command, const EditState& state);

// Where a context menu opened from the keyboard (Shift+F10, the Menu key) goes, in the box's own
// pixels: at the caret's foot, so the menu opens where the user's eyes are, kept within the box.
struct MenuPoint {
  int x = 0;
  int y = 0;
};
[[nodiscard]] MenuPoint KeyboardMenuPlace(int caret_left, int caret_bottom, int box_width,
                                          int box_height);

// One row of the context menu: a command, or a separator where `command` is empty. `text` marks
// its access key with '&', and `shortcut` is the key shown beside it.
struct EditMenuItem {
  std::optional<EditCommand> command;
  std::u16string_view text;
  std::u16string_view shortcut;
};

// The menu's own items, in order, in the window's two languages; a box adds its "Copy as"
// group after them.
inline constexpr std::array<EditMenuItem, 11> kEditMenu = {{
    {EditCommand::Undo, u"&Undo / Desfazer", u"Ctrl+Z"},
    {EditCommand::Redo, u"&Redo / Refazer", u"Ctrl+Y"},
    {std::nullopt, u"", u""},
    {EditCommand::Cut, u"Cu&t / Recortar", u"Ctrl+X"},
    {EditCommand::Copy, u"&Copy / Copiar", u"Ctrl+C"},
    {EditCommand::Paste, u"&Paste / Colar", u"Ctrl+V"},
    {EditCommand::Delete, u"&Delete / Excluir", u"Del"},
    {std::nullopt, u"", u""},
    {EditCommand::SelectAll, u"Select &All / Selecionar tudo", u"Ctrl+A"},
    {std::nullopt, u"", u""},
    {EditCommand::FindCharacter, u"&Find character\u2026 / Procurar caractere\u2026", u"Ctrl+F"},
}};

// An item's text as both toolkits take it: its words, a tab, and its shortcut.
[[nodiscard]] std::u16string MenuItemText(const EditMenuItem& item);

}  // namespace zentavo
