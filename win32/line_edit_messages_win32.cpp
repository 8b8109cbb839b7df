// The EDIT control's messages as the one-line control answers them: what programs and screen
// readers ask of a one-line edit, and the clipboard commands.
#include <algorithm>
#include <optional>
#include <string>

#include "input_checks.h"
#include "line_edit_win32.h"

namespace zentavo {

LRESULT LineEditWin32::AnswerEditMessage(UINT message, WPARAM wparam, LPARAM lparam,
                                         bool& answered) {
  answered = true;
  const std::ptrdiff_t start = std::min(cursor_, anchor_);
  const std::ptrdiff_t end = std::max(cursor_, anchor_);
  switch (message) {
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    case WM_GETTEXT: {
      if (wparam == 0 || lparam == 0) return 0;
      const std::size_t copied = std::min(text_.size(), static_cast<std::size_t>(wparam) - 1);
      auto* into = reinterpret_cast<char16_t*>(lparam);
      std::copy_n(text_.data(), copied, into);
      into[copied] = u'\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_SETTEXT:
      // Heard as a change even when the text is the same, as an EDIT's is.
      if (!Replace(0, Length(), lparam != 0 ? reinterpret_cast<const char16_t*>(lparam) : u"")) {
        last_change_ = Change{0, {}, 0, Selection()};
        Notify(EN_UPDATE);
        Notify(EN_CHANGE);
      }
      modified_ = false;
      Select(0, 0);  // a new text is read from its start
      return TRUE;
    case EM_REPLACESEL:
      Replace(start, end, lparam != 0 ? reinterpret_cast<const char16_t*>(lparam) : u"");
      return 0;
    case EM_GETSEL:
      if (wparam != 0) *reinterpret_cast<DWORD*>(wparam) = static_cast<DWORD>(start);
      if (lparam != 0) *reinterpret_cast<DWORD*>(lparam) = static_cast<DWORD>(end);
      return end > 0xFFFF ? -1 : MAKELRESULT(start, end);
    case EM_SETSEL: {
      const auto from = static_cast<std::ptrdiff_t>(static_cast<int>(wparam));
      const auto to = static_cast<std::ptrdiff_t>(static_cast<int>(lparam));
      if (from < 0) {
        Select(cursor_, cursor_);
      } else {
        Select(from, to < 0 ? Length() : to);
      }
      return 0;
    }
    case WM_COPY:
      if (start != end && !PutTextOnClipboard(window_, Text().substr(start, end - start))) {
        MessageBeep(MB_OK);
      }
      return 0;
    case WM_CUT:
    case WM_CLEAR:
      if (ReadOnly() || start == end) return 0;
      if (message == WM_CUT) SendMessageW(window_, WM_COPY, 0, 0);
      Replace(start, end, {});
      return 0;
    case WM_PASTE:
      if (std::optional<std::u16string> pasted = ClipboardText(window_); pasted && !ReadOnly()) {
        ReplaceSelection(std::move(*pasted));
      }
      return 0;
    case EM_SETREADONLY: {
      const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
      SetWindowLongPtrW(window_, GWL_STYLE,
                        wparam != 0 ? style | ES_READONLY : style & ~ES_READONLY);
      InvalidateRect(window_, nullptr, FALSE);
      return TRUE;
    }
    case EM_GETLINECOUNT:
      return 1;
    case EM_LINEINDEX:
      return static_cast<int>(wparam) <= 0 ? 0 : -1;
    case EM_LINELENGTH:
      return static_cast<LRESULT>(text_.size());
    case EM_LINEFROMCHAR:
      return 0;
    case EM_GETFIRSTVISIBLELINE:  // a one-line box answers with its first character shown
      return static_cast<LRESULT>(first_shown_);
    case EM_GETLINE: {
      if (wparam != 0 || lparam == 0) return 0;
      auto* into = reinterpret_cast<char16_t*>(lparam);
      const std::size_t copied =
          std::min<std::size_t>(text_.size(), *reinterpret_cast<WORD*>(into));
      std::copy_n(text_.data(), copied, into);
      return static_cast<LRESULT>(copied);
    }
    case EM_POSFROMCHAR:
      if (static_cast<std::ptrdiff_t>(wparam) > Length()) return -1;
      return MAKELRESULT(XOf(static_cast<std::ptrdiff_t>(wparam)), TextArea().top);
    case EM_CHARFROMPOS:
      return MAKELRESULT(IndexAt(static_cast<short>(LOWORD(lparam))), 0);
    case EM_GETMODIFY:
      return modified_ ? TRUE : FALSE;
    case EM_SETMODIFY:
      modified_ = wparam != 0;
      return 0;
    case EM_SCROLLCARET:
      ScrollToCaret();
      return TRUE;
    case EM_SETMARGINS:
      if ((wparam & EC_LEFTMARGIN) != 0) margin_ = LOWORD(lparam);
      ScrollToCaret();
      return 0;
    case EM_GETMARGINS:
      return MAKELRESULT(margin_, margin_);
    case EM_GETRECT:
      if (lparam != 0) *reinterpret_cast<RECT*>(lparam) = TextArea();
      return 0;
    case EM_GETLIMITTEXT:
      return 0x7FFFFFFE;  // no limit but memory
    case EM_SETLIMITTEXT:
    case EM_EMPTYUNDOBUFFER:
      return 0;
    case EM_CANUNDO:
    case EM_UNDO:
    case WM_UNDO:
      return FALSE;  // no undo of its own: the box's history answers these
    default:
      answered = false;
      return 0;
  }
}

}  // namespace zentavo
