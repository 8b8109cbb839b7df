#include "line_edit_win32.h"

#include <imm.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "key_state.h"
#include "line_navigation.h"

namespace zentavo {
namespace {

constexpr UINT_PTR kDragScrollTimer = 1;

// A growing text keeps a sixteenth spare, so typing into a box of megabytes moves the text
// along in place rather than copying it whole into a new block.
std::size_t RoomFor(std::size_t characters) { return characters + characters / 16 + 64; }

ATOM registered_class = 0;

}  // namespace

void LineEditWin32::Register(HINSTANCE instance) {
  if (registered_class != 0) return;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = &Procedure;
  window_class.cbWndExtra = sizeof(LineEditWin32*);
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
  window_class.lpszClassName = kClassName;
  registered_class = RegisterClassExW(&window_class);
}

LineEditWin32* LineEditWin32::FromHandle(HWND window) {
  if (window == nullptr || registered_class == 0 ||
      GetClassLongPtrW(window, GCW_ATOM) != registered_class) {
    return nullptr;
  }
  return reinterpret_cast<LineEditWin32*>(GetWindowLongPtrW(window, 0));
}

LineEditWin32::LineEditWin32(HWND window) : window_(window) {}

LRESULT CALLBACK LineEditWin32::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created = new (std::nothrow) LineEditWin32(window);
    if (created == nullptr) return FALSE;
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(created));
  }
  LineEditWin32* edit = FromHandle(window);
  if (edit == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, 0, 0);
    delete edit;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  try {
    return edit->Answer(message, wparam, lparam);
  } catch (const std::bad_alloc&) {
    // Every change is made whole or not at all, so the text is as it was: the parent hears
    // it as it hears it from an EDIT.
    edit->Notify(EN_ERRSPACE);
    return 0;
  } catch (const std::length_error&) {
    edit->Notify(EN_ERRSPACE);
    return 0;
  }
}

LRESULT LineEditWin32::Answer(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:  // the text it is created with, heard by no one as a change
      if (const auto* name = reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpszName) {
        text_ = reinterpret_cast<const char16_t*>(name);
      }
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    case WM_SETFONT:
      TakeFont(reinterpret_cast<HFONT>(wparam));
      if (LOWORD(lparam) != 0) InvalidateRect(window_, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SIZE:
      ScrollToCaret();
      return 0;
    case WM_ERASEBKGND:
      return TRUE;  // painted whole in WM_PAINT, without a flash of the bare background
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ENABLE:
    case WM_STYLECHANGED:
      InvalidateRect(window_, nullptr, FALSE);
      break;
    case WM_SETFOCUS:
      focused_ = true;
      MakeCaret();
      InvalidateRect(window_, nullptr, FALSE);
      Notify(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      DestroyCaret();
      if (selecting_) ReleaseCapture();
      InvalidateRect(window_, nullptr, FALSE);
      Notify(EN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN:
      AnswerKey(wparam);
      break;
    case WM_CHAR:
    case WM_UNICHAR:
      if (message == WM_UNICHAR && wparam == UNICODE_NOCHAR) return TRUE;
      if (wparam <= 0xFFFF) AnswerCharacter(static_cast<char16_t>(wparam));
      return 0;
    case WM_IME_STARTCOMPOSITION:
      // The input method composes where the caret is.
      if (HIMC context = ImmGetContext(window_)) {
        COMPOSITIONFORM place{CFS_POINT, {XOf(cursor_), TextArea().top}, {}};
        ImmSetCompositionWindow(context, &place);
        ImmReleaseContext(window_, context);
      }
      break;
    case WM_TIMER:
      if (wparam != kDragScrollTimer) break;
      [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      AnswerMouse(message, lparam);
      return 0;
    case WM_CAPTURECHANGED:
      selecting_ = false;
      KillTimer(window_, kDragScrollTimer);
      return 0;
    default: {
      bool answered = false;
      const LRESULT answer = AnswerEditMessage(message, wparam, lparam, answered);
      if (answered) return answer;
      break;
    }
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void LineEditWin32::AnswerKey(WPARAM key) {
  const bool shift = KeyIsDown(VK_SHIFT);
  const bool control = KeyIsDown(VK_CONTROL);
  const auto text = Text();
  const auto cursor = static_cast<std::size_t>(cursor_);
  const std::ptrdiff_t start = std::min(cursor_, anchor_);
  const std::ptrdiff_t end = std::max(cursor_, anchor_);
  switch (key) {
    case VK_LEFT:
    case VK_UP:  // a one-line box moves along its line, as the EDIT does
      if (start != end && !shift) return MoveCaret(start, false);
      return MoveCaret(control ? static_cast<std::ptrdiff_t>(PreviousWordStart(text, cursor))
                               : std::max<std::ptrdiff_t>(cursor_ - 1, 0),
                       shift);
    case VK_RIGHT:
    case VK_DOWN:
      if (start != end && !shift) return MoveCaret(end, false);
      return MoveCaret(control ? static_cast<std::ptrdiff_t>(NextWordStart(text, cursor))
                               : std::min(cursor_ + 1, Length()),
                       shift);
    case VK_HOME:
      return MoveCaret(0, shift);
    case VK_END:
      return MoveCaret(Length(), shift);
    case VK_INSERT:
      if (control) SendMessageW(window_, WM_COPY, 0, 0);
      if (shift) SendMessageW(window_, WM_PASTE, 0, 0);
      return;
    case VK_DELETE:
      if (shift) {
        SendMessageW(window_, WM_CUT, 0, 0);
      } else if (!ReadOnly() && start != end) {
        Replace(start, end, {});
      } else if (!ReadOnly()) {
        Replace(cursor_,
                control ? static_cast<std::ptrdiff_t>(NextWordStart(text, cursor))
                        : std::min(cursor_ + 1, Length()),
                {});
      }
      return;
    case VK_BACK:  // Ctrl+Backspace erases the word before the caret; its DEL is never typed
      if (control && !ReadOnly()) {
        Replace(start == end ? static_cast<std::ptrdiff_t>(PreviousWordStart(text, cursor)) : start,
                end, {});
      }
      return;
    default:
      return;
  }
}

void LineEditWin32::AnswerCharacter(char16_t character) {
  switch (character) {
    case 0x01:  // Ctrl+A
      return Select(0, Length());
    case 0x03:  // Ctrl+C
      SendMessageW(window_, WM_COPY, 0, 0);
      return;
    case 0x16:  // Ctrl+V
      SendMessageW(window_, WM_PASTE, 0, 0);
      return;
    case 0x18:  // Ctrl+X
      SendMessageW(window_, WM_CUT, 0, 0);
      return;
    default:
      break;
  }
  if (ReadOnly()) return;
  const std::ptrdiff_t start = std::min(cursor_, anchor_);
  const std::ptrdiff_t end = std::max(cursor_, anchor_);
  if (character == u'\b') {
    Replace(start == end ? std::max<std::ptrdiff_t>(start - 1, 0) : start, end, {});
  } else if (character >= 0x20 && character != 0x7F) {
    Replace(start, end, std::u16string(1, character));
  }
}

void LineEditWin32::AnswerMouse(UINT message, LPARAM where) {
  const int x = static_cast<short>(LOWORD(where));
  if (message == WM_TIMER) {
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(window_, &pointer);
    return AnswerMouse(WM_MOUSEMOVE, MAKELPARAM(pointer.x, pointer.y));
  }
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    if (GetFocus() != window_) SetFocus(window_);
    if (message == WM_LBUTTONDBLCLK) {
      const CharacterRange word = WordAround(Text(), static_cast<std::size_t>(IndexAt(x)));
      return Select(static_cast<std::ptrdiff_t>(word.start), static_cast<std::ptrdiff_t>(word.end));
    }
    MoveCaret(IndexAt(x), KeyIsDown(VK_SHIFT));
    selecting_ = true;
    SetCapture(window_);
    return;
  }
  if (!selecting_) return;
  if (message == WM_LBUTTONUP) {
    ReleaseCapture();
    return;
  }
  // Dragged past an edge, the line scrolls a character at a time while the button is held.
  const RECT area = TextArea();
  if (x < area.left || x >= area.right) {
    SetTimer(window_, kDragScrollTimer, 100, nullptr);
    MoveCaret(x < area.left ? std::max<std::ptrdiff_t>(first_shown_ - 1, 0)
                            : std::min(IndexAt(area.right) + 1, Length()),
              true);
  } else {
    KillTimer(window_, kDragScrollTimer);
    MoveCaret(IndexAt(x), true);
  }
}

bool LineEditWin32::ReadOnly() const {
  return (GetWindowLongPtrW(window_, GWL_STYLE) & ES_READONLY) != 0;
}

void LineEditWin32::ReplaceSelection(std::u16string text) {
  Replace(std::min(cursor_, anchor_), std::max(cursor_, anchor_), std::move(text));
}

bool LineEditWin32::Replace(std::ptrdiff_t start, std::ptrdiff_t end, std::u16string text) {
  start = std::clamp<std::ptrdiff_t>(start, 0, Length());
  end = std::clamp<std::ptrdiff_t>(end, start, Length());
  if (start == end && text.empty()) return false;
  const auto position = static_cast<std::size_t>(start);
  const auto taken = static_cast<std::size_t>(end - start);
  const std::size_t size = text_.size() - taken + text.size();
  // Built beside the old text when it needs more room, so a failure leaves the old one whole.
  std::u16string removed;
  if (size > text_.capacity() || taken == text_.size()) {
    std::u16string replaced;
    replaced.reserve(RoomFor(size));
    replaced.append(text_, 0, position).append(text).append(text_, position + taken);
    if (taken == text_.size()) {
      removed = std::exchange(text_, std::move(replaced));
    } else {
      removed.assign(text_, position, taken);
      text_ = std::move(replaced);
    }
  } else {
    removed.assign(text_, position, taken);
    text_.replace(position, taken, text);
  }
  last_change_ = Change{
      start, std::move(removed), static_cast<std::ptrdiff_t>(text.size()), {cursor_, anchor_}};
  cursor_ = anchor_ = start + static_cast<std::ptrdiff_t>(text.size());
  std::u16string().swap(text);  // let go before the window follows the change
  modified_ = true;
  first_shown_ = std::min(first_shown_, Length());
  ScrollToCaret();
  InvalidateRect(window_, nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
  Notify(EN_UPDATE);
  Notify(EN_CHANGE);
  return true;
}

void LineEditWin32::Select(std::ptrdiff_t anchor, std::ptrdiff_t cursor) {
  const CursorAndAnchor before = Selection();
  anchor_ = std::clamp<std::ptrdiff_t>(anchor, 0, Length());
  cursor_ = std::clamp<std::ptrdiff_t>(cursor, 0, Length());
  ScrollToCaret();
  if (before.cursor == cursor_ && before.anchor == anchor_) return;
  InvalidateRect(window_, nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_TEXTSELECTIONCHANGED, window_, OBJID_CLIENT, CHILDID_SELF);
}

void LineEditWin32::MoveCaret(std::ptrdiff_t to, bool extend) { Select(extend ? anchor_ : to, to); }

void LineEditWin32::Notify(WORD code) const {
  SendMessageW(GetParent(window_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), code),
               reinterpret_cast<LPARAM>(window_));
}

}  // namespace zentavo
