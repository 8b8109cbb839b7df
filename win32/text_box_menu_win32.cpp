// The text box's context menu: the edit commands both windows share, then its row's Copy as
// group, each item done through the box's own messages.
#include <windowsx.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "code_pages_here_win32.h"
#include "copy_as.h"
#include "input_checks.h"
#include "text_box_win32.h"
#include "window_text.h"

namespace zentavo {
namespace {

constexpr UINT kFirstCommand = 1;   // a menu item's id: its EditCommand, from here
constexpr UINT kFirstCopyAs = 100;  // a Copy as entry's id: its form's index, from here

// A popup menu, destroyed with everything in it however the menu ends.
class PopupMenu {
 public:
  PopupMenu() : menu_(CreatePopupMenu()) {}
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu() { DestroyMenu(menu_); }
  [[nodiscard]] HMENU get() const { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace

// Each command as the message the EDIT's own would send, so every route meets the same checks.
void TextBoxWin32::Do(EditCommand command) {
  switch (command) {
    case EditCommand::Undo:
      StepHistory(true);
      break;
    case EditCommand::Redo:
      StepHistory(false);
      break;
    case EditCommand::Cut:
      SendMessageW(box_, WM_CUT, 0, 0);
      break;
    case EditCommand::Copy:
      SendMessageW(box_, WM_COPY, 0, 0);
      break;
    case EditCommand::Paste:
      SendMessageW(box_, WM_PASTE, 0, 0);
      break;
    case EditCommand::Delete:
      SendMessageW(box_, WM_CLEAR, 0, 0);
      break;
    case EditCommand::SelectAll:
      SendMessageW(box_, EM_SETSEL, 0, -1);
      break;
    case EditCommand::FindCharacter:
      if (find_character_) find_character_();
      break;
  }
}

// The box's own menu rather than the EDIT's, which has no room for the Copy as group.
void TextBoxWin32::ShowContextMenu(LPARAM where) {
  SetFocus(box_);
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the caret
    POINT caret{};
    GetCaretPos(&caret);
    RECT client{};
    GetClientRect(box_, &client);
    const MenuPoint place =
        KeyboardMenuPlace(caret.x, caret.y + CaretHeight(), client.right, client.bottom);
    at = {place.x, place.y};
    ClientToScreen(box_, &at);
  }
  const EditState state = State();
  const PopupMenu menu;
  for (const EditMenuItem& item : kEditMenu) {
    if (!item.command) {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::u16string text = MenuItemText(item);
    const UINT enabled = IsEnabled(*item.command, state) ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu.get(), MF_STRING | enabled, kFirstCommand + static_cast<UINT>(*item.command),
                Wide(text));
  }
  const std::vector<std::u16string> forms = CopyAsForms(name_, boxes_, CodePagesHere());
  if (!forms.empty()) {
    HMENU copy_as = CreatePopupMenu();  // the menu destroys it with itself
    for (std::size_t i = 0; i < forms.size(); ++i) {
      const std::u16string text = MenuEntryText(forms[i]);
      AppendMenuW(copy_as, MF_STRING, kFirstCopyAs + i, Wide(text));
    }
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    const std::u16string title(kCopyAsMenuTitle);
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(copy_as), Wide(title));
  }
  const auto chosen = static_cast<UINT>(TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, box_, nullptr));
  if (chosen >= kFirstCopyAs && chosen - kFirstCopyAs < forms.size()) {
    // A clipboard another program holds open takes nothing: the user hears so.
    if (!PutTextOnClipboard(box_, forms[chosen - kFirstCopyAs])) MessageBeep(MB_OK);
  } else if (chosen >= kFirstCommand && chosen < kFirstCopyAs) {
    Do(static_cast<EditCommand>(chosen - kFirstCommand));
  }
}

// The caret is as tall as a line of the box's font.
int TextBoxWin32::CaretHeight() const {
  HDC context = GetDC(box_);
  const HGDIOBJ before =
      SelectObject(context, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(context, &metrics);
  SelectObject(context, before);
  ReleaseDC(box_, context);
  return metrics.tmHeight;
}

EditState TextBoxWin32::State() const {
  const CursorAndAnchor selection = Selection();
  EditState state;
  state.editable = (GetWindowLongPtrW(box_, GWL_STYLE) & ES_READONLY) == 0;
  state.text_length = GetWindowTextLengthW(box_);
  state.selection_length = std::abs(selection.cursor - selection.anchor);
  state.can_undo = history_.CanUndo();
  state.can_redo = history_.CanRedo();
  state.clipboard_holds_text = ClipboardHoldsText(box_);
  return state;
}

}  // namespace zentavo
