#include "text_box_win32.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "accessible_objects.h"
#include "character_picture.h"
#include "character_pictures_win32.h"
#include "code_stepping.h"
#include "failure_report_win32.h"
#include "input_checks.h"
#include "key_state.h"
#include "pasted_text.h"
#include "window_text.h"
#include "windows1252.h"

namespace zentavo {
namespace {

Key KeyOf(WPARAM key) {
  switch (key) {
    case 'A':
      return Key::A;
    case 'C':
      return Key::C;
    case 'F':
      return Key::F;
    case 'V':
      return Key::V;
    case 'X':
      return Key::X;
    case 'Y':
      return Key::Y;
    case 'Z':
      return Key::Z;
    case VK_INSERT:
      return Key::Insert;
    case VK_DELETE:
      return Key::Delete;
    case VK_BACK:
      return Key::Backspace;
    case VK_UP:
      return Key::Up;
    case VK_DOWN:
      return Key::Down;
    case VK_PRIOR:
      return Key::PageUp;
    case VK_NEXT:
      return Key::PageDown;
    default:
      return Key::Other;
  }
}

// The control characters the EDIT would take as Ctrl+A, C, V, X, Y and Z: their keys have given
// their commands already.
bool IsCommandCharacter(WPARAM character) {
  switch (character) {
    case 0x01:
    case 0x03:
    case 0x16:
    case 0x18:
    case 0x19:
    case 0x1A:
      return true;
    default:
      return false;
  }
}

// Whether the input method's strings that `changed` names are all Windows-1252; a composition
// that is not is cancelled.
bool CompositionIsAcceptable(HWND box, LPARAM changed) {
  HIMC context = ImmGetContext(box);
  bool acceptable = true;
  for (const DWORD which : {DWORD{GCS_COMPSTR}, DWORD{GCS_RESULTSTR}}) {
    if ((changed & static_cast<LPARAM>(which)) == 0) continue;
    const std::optional<std::u16string> text =
        CompositionString(context, &ImmGetCompositionStringW, which);
    acceptable = acceptable && text && IsWindows1252Text(*text);
  }
  if (!acceptable) ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
  ImmReleaseContext(box, context);
  return acceptable;
}

}  // namespace

TextBoxWin32::TextBoxWin32(const layout::ControlRecord& record, HWND window, HINSTANCE instance,
                           int id, const TextBoxAccess& boxes, FailureReportWin32& failures)
    : name_(record.name), id_(id), boxes_(boxes), failures_(failures) {
  const std::u16string text(record.text);
  box_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Wide(text),
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0,
                      window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (box_ == nullptr) throw std::runtime_error("a text box could not be created");
  SendMessageW(box_, EM_SETLIMITTEXT, 0, 0);  // as long as memory allows
  SetWindowSubclass(box_, &Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
}

std::u16string TextBoxWin32::Text() const {
  return holds_null_ ? std::u16string(1, u'\0') : WindowText(box_);
}

std::u16string TextBoxWin32::TextStart(std::size_t characters) const {
  return holds_null_ ? std::u16string(1, u'\0').substr(0, characters)
                     : WindowTextStart(box_, characters);
}

std::u16string TextBoxWin32::AccessibleValue() const {
  return holds_null_ ? PictureText(0) : WindowText(box_);
}

void TextBoxWin32::Write(std::u16string_view text) {
  holds_null_ = text == std::u16string_view(u"\0", 1);
  const std::u16string shown = holds_null_ ? std::u16string() : std::u16string(text);
  writing_ = true;
  SetWindowTextW(box_, Wide(shown));
  writing_ = false;
}

bool TextBoxWin32::PictureMayHaveChanged() {
  const std::optional<std::uint8_t> before = pictured_;
  pictured_ = PicturedCode(name_, TextStart(2));
  return before.has_value() || pictured_.has_value();
}

void TextBoxWin32::Place(const RECT& place, HFONT font, UINT dpi) {
  font_ = font;
  dpi_ = dpi;
  MoveWindow(box_, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
  SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT CALLBACK TextBoxWin32::Procedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR subclass, DWORD_PTR self) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, &Procedure, subclass);
  auto* text_box = reinterpret_cast<TextBoxWin32*>(self);
  return text_box->failures_.AnswerReportingFailures(
      [&] { return text_box->NoteAndAnswer(message, wparam, lparam); });
}

LRESULT TextBoxWin32::Answer(UINT message, WPARAM wparam, LPARAM lparam) {
  if (RefusesInput(message, wparam, lparam)) return FALSE;
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return AnswerKey(message, wparam, lparam);
    case WM_UNICHAR:
      if (wparam == UNICODE_NOCHAR) return TRUE;  // yes, the box takes WM_UNICHAR
      // Not every EDIT reads WM_UNICHAR; every one reads what it stands for.
      SendMessageW(box_, WM_CHAR, wparam, lparam);
      return FALSE;
    case WM_CHAR:
      if (IsCommandCharacter(wparam)) return 0;
      break;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CUT:
      Cut();
      return 0;
    case WM_CLEAR:
      if (HasSelection()) ReplaceSelection({});
      return 0;
    case EM_REPLACESEL:
      if (lparam == 0) return 0;  // no text at all from another program: nothing to put in
      break;
    case WM_CONTEXTMENU:
      ShowContextMenu(lparam);
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lparam) == OBJID_CLIENT) {
        if (const LRESULT answer = AnswerBoxObjectRequest(box_, wparam)) return answer;
      }
      break;
    case WM_UNDO:
    case EM_UNDO:
      StepHistory(true);
      return TRUE;
    case EM_CANUNDO:
      return history_.CanUndo() ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
      if (!emptying_own_undo_) history_.Clear();
      break;
    case WM_PAINT: {
      const LRESULT painted = DefSubclassProc(box_, message, wparam, lparam);
      // Two characters tell whether the text is one lone character: no copy of a long text.
      if (const std::optional<std::uint8_t> code = PicturedCode(name_, TextStart(2))) {
        PaintCharacterPicture(box_, font_, dpi_, *code);
      }
      return painted;
    }
    default:
      break;
  }
  return DefSubclassProc(box_, message, wparam, lparam);
}

// Every way a character comes in meets the same check: typed, sent as a character, composed
// by an input method, set as a text, or replaced into the selection. The user hears a beep.
bool TextBoxWin32::RefusesInput(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_UNICHAR:
      if (message == WM_UNICHAR && wparam == UNICODE_NOCHAR) return false;
      if (wparam < 0x20 ||
          (wparam <= 0xFFFF && IsWindows1252Character(static_cast<char16_t>(wparam)))) {
        return false;
      }
      break;
    case WM_IME_COMPOSITION:
      if ((lparam & (GCS_COMPSTR | GCS_RESULTSTR)) == 0 || CompositionIsAcceptable(box_, lparam)) {
        return false;
      }
      break;
    case WM_SETTEXT:
    case EM_REPLACESEL:  // the program's own, or another program's: refused without a sound
      return lparam != 0 && !IsWindows1252Text(reinterpret_cast<const char16_t*>(lparam));
    default:
      return false;
  }
  MessageBeep(MB_OK);
  return true;
}

LRESULT TextBoxWin32::AnswerKey(UINT message, WPARAM wparam, LPARAM lparam) {
  const bool alt =
      message == WM_SYSKEYDOWN ? (lparam & (LPARAM{1} << 29)) != 0 : KeyIsDown(VK_MENU);
  const KeyPress press{KeyOf(wparam), KeyIsDown(VK_CONTROL), KeyIsDown(VK_SHIFT), alt};
  const KeyCommand command = CommandForKey(press, name_ == kSteppingBox);
  if (command.ignored) return 0;
  if (command.step) {
    Step(*command.step);
    return 0;
  }
  if (command.edit) {
    Do(*command.edit);
    return 0;
  }
  return DefSubclassProc(box_, message, wparam, lparam);
}

// Read here, within the block's size, rather than by the EDIT, which reads to a terminator that
// another program's block need not have; what was checked is what goes in, and is then handed
// to the history rather than copied, so a paste of megabytes is held once besides the EDIT.
void TextBoxWin32::Paste() {
  std::optional<std::u16string> pasted = ClipboardText(box_);
  if (!pasted) return;
  const PasteOutcome outcome = PasteOutcomeOf(*pasted, HasSelection(), Platform::Windows);
  if (outcome.beep) MessageBeep(MB_OK);
  if (!outcome.put_in) return;
  // The first line in place: a paste of megabytes is not copied.
  pasted->resize(outcome.put_in->size());
  handing_over_ = &*pasted;
  ReplaceSelection(*pasted);
  handing_over_ = nullptr;
}

void TextBoxWin32::Cut() {
  const CursorAndAnchor selection = Selection();
  if (selection.cursor == selection.anchor) return;
  const std::ptrdiff_t low = std::min(selection.cursor, selection.anchor);
  const std::ptrdiff_t high = std::max(selection.cursor, selection.anchor);
  std::u16string selected = WindowTextStart(box_, static_cast<std::size_t>(high));
  selected.erase(0, static_cast<std::size_t>(low));
  const CutOutcome outcome = CutOutcomeOf(PutTextOnClipboard(box_, selected));
  if (outcome.beep) MessageBeep(MB_OK);
  if (outcome.delete_selection) ReplaceSelection({});
}

void TextBoxWin32::Step(StepKey key) {
  // At either end nothing changes, and the key is taken all the same.
  if (const std::optional<std::u16string> stepped = SteppedCodeText(Text(), StepOf(key))) {
    SendMessageW(box_, EM_SETSEL, 0, -1);
    stepping_code_ = true;
    ReplaceSelection(*stepped);
    stepping_code_ = false;
  }
}

void TextBoxWin32::ReplaceAll(const std::u16string& text) {
  SendMessageW(box_, EM_SETSEL, 0, -1);
  ReplaceSelection(text);
}

void TextBoxWin32::ReplaceSelection(const std::u16string& text) {
  SendMessageW(box_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text)));
}

void TextBoxWin32::StepHistory(bool back) {
  if ((GetWindowLongPtrW(box_, GWL_STYLE) & ES_READONLY) != 0) return;
  const BasicTextEdit<std::u16string>* step = back ? history_.StepBack() : history_.StepForward();
  if (step == nullptr) return;
  // Copied first: the change runs the handlers, which the step must not depend on outliving.
  const auto taken_out = static_cast<LPARAM>((back ? step->inserted : step->removed).size());
  const std::u16string put_in = back ? step->removed : step->inserted;
  const auto start = static_cast<WPARAM>(step->position);
  const CursorAndAnchor before = step->before;
  stepping_history_ = true;
  history_step_shown_ = false;
  SendMessageW(box_, EM_SETSEL, start, static_cast<LPARAM>(start) + taken_out);
  ReplaceSelection(put_in);
  stepping_history_ = false;
  if (!history_step_shown_) {
    // The box refused the step: the history goes back to where the text still is, so that no
    // later step is applied to a text it was not made for.
    if (back) {
      history_.StepForward();
    } else {
      history_.StepBack();
    }
    return;
  }
  if (back) {
    SendMessageW(box_, EM_SETSEL, static_cast<WPARAM>(before.anchor),
                 static_cast<LPARAM>(before.cursor));
  }
}

CursorAndAnchor TextBoxWin32::Selection() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<std::ptrdiff_t>(end), static_cast<std::ptrdiff_t>(start)};
}

bool TextBoxWin32::HasSelection() const {
  const CursorAndAnchor selection = Selection();
  return selection.cursor != selection.anchor;
}

}  // namespace zentavo
