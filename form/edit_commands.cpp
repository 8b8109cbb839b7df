#include "edit_commands.h"

#include <algorithm>

namespace zentavo {
namespace {

std::optional<EditCommand> EditForKey(const KeyPress& press) {
  const bool control_alone = press.control && !press.shift && !press.alt;
  const bool shift_alone = press.shift && !press.control && !press.alt;
  switch (press.key) {
    case Key::Z:
      if (press.control && !press.alt) return press.shift ? EditCommand::Redo : EditCommand::Undo;
      return std::nullopt;
    case Key::Y:
      return control_alone ? std::optional(EditCommand::Redo) : std::nullopt;
    case Key::A:
      return control_alone ? std::optional(EditCommand::SelectAll) : std::nullopt;
    case Key::C:
      return control_alone ? std::optional(EditCommand::Copy) : std::nullopt;
    case Key::X:
      return control_alone ? std::optional(EditCommand::Cut) : std::nullopt;
    case Key::F:
      return control_alone ? std::optional(EditCommand::FindCharacter) : std::nullopt;
    case Key::V:
      return control_alone ? std::optional(EditCommand::Paste) : std::nullopt;
    case Key::Insert:
      // The keys of the old common user access: Shift+Insert pastes, Ctrl+Insert copies.
      if (shift_alone) return EditCommand::Paste;
      return control_alone ? std::optional(EditCommand::Copy) : std::nullopt;
    case Key::Delete:
      return shift_alone ? std::optional(EditCommand::Cut) : std::nullopt;
    case Key::Backspace:  // Alt+Backspace, the old undo key
      return press.alt && !press.control && !press.shift ? std::optional(EditCommand::Undo)
                                                         : std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<StepKey> StepForKey(const KeyPress& press) {
  if (press.control || press.shift || press.alt) return std::nullopt;
  switch (press.key) {
    case Key::Up:
      return StepKey::Up;
    case Key::Down:
      return StepKey::Down;
    case Key::PageUp:
      return StepKey::PageUp;
    case Key::PageDown:
      return StepKey::PageDown;
    default:
      return std::nullopt;
  }
}

}  // namespace

KeyCommand CommandForKey(const KeyPress& press, bool box_steps_code) {
  if ((press.key == Key::Insert || press.key == Key::Delete) && press.control && press.shift) {
    return {std::nullopt, std::nullopt, true};
  }
  if (box_steps_code) {
    if (const std::optional<StepKey> step = StepForKey(press)) return {std::nullopt, step};
  }
  return {EditForKey(press), std::nullopt};
}

bool IsEnabled(EditCommand command, const EditState& state) {
  const bool selected = state.selection_length > 0;
  switch (command) {
    case EditCommand::Undo:
      return state.editable && state.can_undo;
    case EditCommand::Redo:
      return state.editable && state.can_redo;
    case EditCommand::Cut:
    case EditCommand::Delete:
      return state.editable && selected;
    case EditCommand::Copy:
      return selected;
    case EditCommand::Paste:
      return state.editable && state.clipboard_holds_text;
    case EditCommand::SelectAll:
      return state.selection_length < state.text_length;
    case EditCommand::FindCharacter:
      return true;
  }
  return false;
}

std::u16string MenuItemText(const EditMenuItem& item) {
  std::u16string text(item.text);
  if (!item.shortcut.empty()) text.append(u"\t").append(item.shortcut);
  return text;
}

MenuPoint KeyboardMenuPlace(int caret_left, int caret_bottom, int box_width, int box_height) {
  return {std::clamp(caret_left, 0, std::max(box_width - 1, 0)),
          std::clamp(caret_bottom, 0, std::max(box_height - 1, 0))};
}

}  // namespace zentavo
