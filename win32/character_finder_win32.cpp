#include "character_finder_win32.h"

#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "character_finder_screen.h"
#include "character_finder_text.h"
#include "code_pages_here_win32.h"
#include "list_accessible_win32.h"
#include "result_announcer_win32.h"
#include "window_text.h"

namespace zentavo {
namespace {

constexpr WORD kQueryId = 101;
constexpr WORD kListId = 102;
constexpr WORD kOutsideId = 103;
constexpr WORD kLabelId = 0xFFFF;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;

// A dialog template in memory, as DialogBoxIndirectParamW takes it: WORDs, each item aligned
// on a DWORD.
class DialogTemplate {
 public:
  DialogTemplate(std::u16string_view title, short width, short height) {
    const DWORD style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AddDword(style);
    AddDword(0);
    count_at_ = words_.size();
    words_.push_back(0);  // the number of items, counted as they come
    for (const short each : {short{0}, short{0}, width, height}) Add(static_cast<WORD>(each));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the dialog class
    AddText(title);
    words_.push_back(8);
    AddText(u"MS Shell Dlg");
  }

  void Item(WORD kind, WORD id, DWORD style, std::u16string_view text, short x, short y, short cx,
            short cy) {
    while (words_.size() % 2 != 0) words_.push_back(0);
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(0);
    for (const short each : {x, y, cx, cy}) Add(static_cast<WORD>(each));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(kind);
    AddText(text);
    words_.push_back(0);  // no creation data
    ++words_[count_at_];
  }

  [[nodiscard]] const DLGTEMPLATE* Get() const {
    return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
  }

 private:
  void Add(WORD word) { words_.push_back(word); }
  void AddDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void AddText(std::u16string_view text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
  }
  std::vector<WORD> words_;
  std::size_t count_at_ = 0;
};

struct FinderState {
  ResultAnnouncerWin32& announcer;
  std::optional<std::uint8_t> chosen;
  int character_column = 0;
  FinderScreen screen;  // its announcement is told once the query has stayed as it is a moment
};

constexpr UINT_PTR kAnnounceTimer = 1;

FinderState* StateOf(HWND dialog) {
  return reinterpret_cast<FinderState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Down in the search field moves into the list, at its chosen row.
LRESULT CALLBACK QueryFieldProcedure(HWND field, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR subclass, DWORD_PTR /*data*/) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(field, &QueryFieldProcedure, subclass);
  if (message == WM_KEYDOWN && wparam == VK_DOWN && StateOf(GetParent(field)) != nullptr &&
      DownMovesIntoList(StateOf(GetParent(field))->screen)) {
    HWND list = GetDlgItem(GetParent(field), kListId);
    SendMessageW(GetParent(field), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
    return 0;
  }
  return DefSubclassProc(field, message, wparam, lparam);
}

// The list answers a screen reader with its rows, whichever standard object the system has.
LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                               UINT_PTR subclass, DWORD_PTR /*data*/) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, &ListProcedure, subclass);
  if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT) {
    if (const LRESULT answer = AnswerListObjectRequest(list, wparam)) return answer;
  }
  return DefSubclassProc(list, message, wparam, lparam);
}

void Search(HWND dialog) {
  FinderState& state = *StateOf(dialog);
  state.screen = FinderScreenFor(WindowText(GetDlgItem(dialog, kQueryId)), CodePagesHere());
  HWND list = GetDlgItem(dialog, kListId);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const FinderRow& each : state.screen.rows) {
    const LRESULT row =
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(each.name)));
    if (row >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), each.code);
  }
  const auto chosen = state.screen.chosen ? static_cast<WPARAM>(*state.screen.chosen) : WPARAM(-1);
  SendMessageW(list, LB_SETCURSEL, chosen, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  SetDlgItemTextW(dialog, kOutsideId, Wide(state.screen.outside_line));
  EnableWindow(GetDlgItem(dialog, IDOK), state.screen.use_enabled ? TRUE : FALSE);
  KillTimer(dialog, kAnnounceTimer);
  if (state.screen.announce_later) {
    SetTimer(dialog, kAnnounceTimer, kFinderAnnouncementDelayMilliseconds, nullptr);
  }
}

void UseChosenRow(HWND dialog) {
  HWND list = GetDlgItem(dialog, kListId);
  const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (row < 0) return;  // nothing found: the finder stays open
  StateOf(dialog)->chosen =
      static_cast<std::uint8_t>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
  EndDialog(dialog, IDOK);
}

// A row: the character in a column of its own, then its accessible name's words.
void DrawRow(const DRAWITEMSTRUCT& item, const FinderState& state) {
  if (item.itemID >= state.screen.rows.size()) return;
  const FinderRow& row = state.screen.rows[item.itemID];
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT place = item.rcItem;
  place.left += 4;
  place.right = place.left + state.character_column;
  DrawTextW(item.hDC, Wide(row.character), static_cast<int>(row.character.size()), &place,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CENTER);
  place.left = place.right + 8;
  place.right = item.rcItem.right - 4;
  DrawTextW(item.hDC, Wide(row.name), static_cast<int>(row.name.size()), &place,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

INT_PTR CALLBACK FinderProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      SetWindowSubclass(GetDlgItem(dialog, kQueryId), &QueryFieldProcedure, 1, 0);
      SetWindowSubclass(GetDlgItem(dialog, kListId), &ListProcedure, 1, 0);
      EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
      RECT column{0, 0, 36, 8};
      MapDialogRect(dialog, &column);
      StateOf(dialog)->character_column = column.right;
      SetFocus(GetDlgItem(dialog, kQueryId));
      return FALSE;  // the focus is set
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      RECT row{0, 0, 8, 12};
      MapDialogRect(dialog, &row);
      item->itemHeight = static_cast<UINT>(row.bottom);
      return TRUE;
    }
    case WM_DRAWITEM:
      if (StateOf(dialog) == nullptr) return FALSE;  // before WM_INITDIALOG
      DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), *StateOf(dialog));
      return TRUE;
    case WM_TIMER:
      if (wparam != kAnnounceTimer || StateOf(dialog) == nullptr) return FALSE;
      KillTimer(dialog, kAnnounceTimer);
      StateOf(dialog)->announcer.Announce(StateOf(dialog)->screen.announcement);
      return TRUE;
    case WM_COMMAND:
      if (StateOf(dialog) == nullptr) return FALSE;  // a control's note while the dialog is made
      if (LOWORD(wparam) == kQueryId && HIWORD(wparam) == EN_CHANGE) {
        Search(dialog);
      } else if (LOWORD(wparam) == IDOK ||
                 (LOWORD(wparam) == kListId && HIWORD(wparam) == LBN_DBLCLK)) {
        UseChosenRow(dialog);
      } else if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<std::uint8_t> FindCharacterWin32(HWND owner, ResultAnnouncerWin32& announcer) {
  DialogTemplate dialog(kFinderTitle, 262, 186);
  dialog.Item(kStaticClass, kLabelId, SS_LEFT, kFinderQueryLabel, 7, 7, 248, 9);
  dialog.Item(kEditClass, kQueryId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, u"", 7, 18, 248, 14);
  dialog.Item(kStaticClass, kLabelId, SS_LEFT, kFinderListLabel, 7, 38, 248, 9);
  dialog.Item(kListBoxClass, kListId,
              WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                  LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
              u"", 7, 49, 248, 104);
  dialog.Item(kStaticClass, kOutsideId, SS_LEFT | SS_NOPREFIX, u"", 7, 156, 248, 9);
  dialog.Item(kButtonClass, IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, kFinderUse, 121, 167, 62, 14);
  dialog.Item(kButtonClass, IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, kFinderCancel, 187, 167, 68, 14);
  FinderState state{announcer, std::nullopt, 0, {}};
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  DialogBoxIndirectParamW(instance, dialog.Get(), owner, &FinderProcedure,
                          reinterpret_cast<LPARAM>(&state));
  return state.chosen;
}

}  // namespace zentavo
