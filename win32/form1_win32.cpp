#include "form1_win32.h"

#include <commctrl.h>
#include <imm.h>
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <stdexcept>
#include <utility>

#include "accessibility_table.h"
#include "accessible_objects.h"
#include "caption_fit.h"
#include "character_details.h"
#include "character_picture.h"
#include "code_stepping.h"
#include "control_names.h"
#include "copy_as.h"
#include "focus_order.h"
#include "input_checks.h"
#include "layout_table.h"
#include "row_text.h"
#include "windows1252.h"

namespace zentavo {
namespace {

using layout::ControlKind;
using layout::ControlRecord;

constexpr wchar_t kWindowClass[] = L"ZentavoForm1";
constexpr UINT kRunTask = WM_APP + 1;
constexpr UINT kShowReport = WM_APP + 2;
// UI Automation's LiveSetting property, which oleacc's headers do not name.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which Enter and Esc send
constexpr UINT_PTR kFirstLabelTool = 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

bool AllWindows1252(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), IsWindows1252Character);
}

bool AllWindows1252(const wchar_t* text) {
  return AllWindows1252(std::u16string_view(reinterpret_cast<const char16_t*>(text)));
}

int Pixels(int twips, UINT dpi) { return layout::TwipsToPixels(twips, static_cast<int>(dpi)); }

RECT PlaceOf(const ControlRecord& record, UINT dpi) {
  const layout::PixelRect place =
      layout::ToPixels(std::get<layout::TwipRect>(record.place), static_cast<int>(dpi));
  return {place.left, place.top, place.right, place.bottom};
}

// Newer user32 functions, looked up so that the program still starts where they are missing.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT DpiOf(HWND window) {
  static const auto get_dpi_for_window = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (window != nullptr && get_dpi_for_window != nullptr) return get_dpi_for_window(window);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

SIZE WindowSizeFor(const layout::WindowRecord& record, UINT dpi) {
  static const auto adjust_for_dpi =
      User32Function<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, Pixels(record.client_width, dpi), Pixels(record.client_height, dpi)};
  if (adjust_for_dpi != nullptr) {
    adjust_for_dpi(&rect, kStyle, FALSE, 0, dpi);
  } else {
    AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

LOGFONTW FontDescription(const wchar_t* face, double points, int weight, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

bool FontIsInstalled(HDC context, std::u16string_view face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  const std::wstring name = Wide(face);
  wcsncpy(wanted.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(
      context, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found_flag) -> int {
        *reinterpret_cast<bool*>(found_flag) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

int CaptionWidth(HDC context, HFONT font, std::u16string_view caption) {
  const HGDIOBJ previous = SelectObject(context, font);
  const std::wstring text = Wide(caption);
  SIZE size{};
  GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(context, previous);
  return size.cx;
}

// Screen readers on Windows read a live region's changes as they come, without the focus moving
// (Microsoft's "LiveSetting" property, set through dynamic annotation). Where the annotation
// service is missing, as under wine, the region still raises its events.
void MarkAsPoliteLiveRegion(HWND region) {
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
    return;
  }
  VARIANT polite{};
  polite.vt = VT_I4;
  polite.lVal = 1;  // Polite, in UI Automation's LiveSetting
  services->SetHwndProp(region, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                        kLiveSettingProperty, polite);
  services->Release();
}

// The keys that step txtDeASCII's code, pressed alone.
std::optional<StepKey> StepKeyOf(WPARAM key) {
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) {
    return std::nullopt;
  }
  switch (key) {
    case VK_UP:
      return StepKey::Up;
    case VK_DOWN:
      return StepKey::Down;
    case VK_PRIOR:
      return StepKey::PageUp;
    case VK_NEXT:
      return StepKey::PageDown;
    default:
      return std::nullopt;
  }
}

void PutOnClipboard(HWND owner, std::u16string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  if (block == nullptr) return;
  auto* characters = static_cast<char16_t*>(GlobalLock(block));
  if (characters == nullptr) {
    GlobalFree(block);
    return;
  }
  std::copy(text.begin(), text.end(), characters);
  characters[text.size()] = u'\0';
  GlobalUnlock(block);
  if (OpenClipboard(owner)) {
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, block) != nullptr) block = nullptr;  // the system's now
    CloseClipboard();
  }
  if (block != nullptr) GlobalFree(block);
}

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

// The edit box's own items, in the words and order of the Qt boxes' menu.
enum MenuCommand : UINT {
  kUndo = 1,
  kRedo,
  kCut,
  kCopy,
  kPaste,
  kDelete,
  kSelectAll,
  kFirstCopyAs = 100
};

bool KeyIsDown(int key) { return GetKeyState(key) < 0; }

// Whether `message` may change the box's text, and if so whether as a keystroke does (a typed
// character, Backspace, Delete) or as a replacement does (a paste, a cut, a whole new text).
std::optional<bool> EditsAsKeystroke(UINT message) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_KEYDOWN:
      return true;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_SETTEXT:
    case EM_REPLACESEL:
    case WM_IME_COMPOSITION:
      return false;
    default:
      return std::nullopt;
  }
}

CursorAndAnchor SelectionOf(HWND box) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<std::ptrdiff_t>(end), static_cast<std::ptrdiff_t>(start)};
}

}  // namespace

Form1Win32::Form1Win32(HINSTANCE instance) {
  const layout::LayoutTable& table = layout::kLayoutTable;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = &WindowProcedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);  // fails harmlessly when a second window registers again

  const UINT dpi = DpiOf(nullptr);
  const SIZE size = WindowSizeFor(table.window, dpi);
  const std::wstring caption = Wide(table.window.caption);
  CreateWindowExW(0, kWindowClass, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                  size.cy, nullptr, nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("the window could not be created");

  int id = kFirstControlId;
  for (const ControlRecord& record : table.controls) {
    const std::wstring text = Wide(record.text);
    HWND handle = nullptr;
    if (record.kind == ControlKind::TextBox) {
      handle = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0,
                               0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance, nullptr);
      SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // as long as memory allows
      SetWindowSubclass(handle, &TextBoxProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    } else if (record.kind == ControlKind::PushButton) {
      // A plain push button: neither default nor cancel button, so Enter in a box and Esc
      // do not press it.
      handle = CreateWindowExW(
          0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
          0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
      if (handle != nullptr) {
        SetWindowSubclass(handle, &ButtonProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
      }
    } else {
      continue;  // labels and lines are painted on the window's own surface
    }
    if (handle == nullptr) throw std::runtime_error("a control could not be created");
    Control control;
    control.name = record.name;
    control.handle = handle;
    control.id = id++;
    control.last_text = record.text;
    controls_.push_back(std::move(control));
  }
  // The dialog manager tabs in z-order, so the controls are stacked in the focus order.
  HWND previous = HWND_TOP;
  for (const std::string_view name : FocusOrder()) {
    const auto control = std::find_if(controls_.begin(), controls_.end(),
                                      [&](const Control& each) { return each.name == name; });
    SetWindowPos(control->handle, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control->handle;
  }

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);  // lets a tip keep its line breaks
  // A static of no size, so it takes no room, no clicks and no focus, and the last in the tab
  // order, after the button. Its text is each result to announce.
  announcer_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                               0, 0, 0, window_, nullptr, instance, nullptr);
  MarkAsPoliteLiveRegion(announcer_);
  for (const Control& control : controls_) {
    if (control.name == control_names::kExitButton) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control.handle);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  // The window is sized and laid out for the DPI the system gives the window itself, which can
  // differ from the screen's (wine 10 gives a per-monitor-aware window 96 whatever the screen's).
  const UINT window_dpi = DpiOf(window_);
  if (window_dpi != dpi) {
    const SIZE sized = WindowSizeFor(table.window, window_dpi);
    SetWindowPos(window_, nullptr, 0, 0, sized.cx, sized.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout(window_dpi);
  for (const accessibility::RowRecord& row : accessibility::kRows) UpdateRowDetails(row.output_box);
}

Form1Win32::~Form1Win32() {
  if (IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void Form1Win32::Show(int show_command) {
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
  FocusBox(kFirstFocus);
}

void Form1Win32::Bind(std::string_view control, std::function<void()> handler) {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const Control& each) { return each.name == control; });
  if (found == controls_.end())
    throw std::invalid_argument("no control named " + std::string(control));
  found->handler = std::move(handler);
}

void Form1Win32::PostTask(std::function<void()> task) {
  tasks_.push_back(std::move(task));
  PostMessageW(window_, kRunTask, 0, 0);
}

void Form1Win32::OnFailureReport(std::function<void(const FailureReport&)> show) {
  show_report_ = std::move(show);
}

void Form1Win32::FocusBox(std::string_view box) {
  focus_ = TextBoxOrThrow(box).handle;
  SetFocus(focus_);
}

bool Form1Win32::TakeDialogMessage(MSG& message) {
  return IsDialogMessageW(window_, &message) != 0;
}

std::u16string Form1Win32::ReadText(std::string_view box) const {
  const Control& control = TextBoxOrThrow(box);
  if (control.holds_null) return std::u16string(1, u'\0');
  return TextOf(control.handle);
}

void Form1Win32::ReplaceText(std::string_view box, std::u16string_view text) {
  Control& control = TextBoxOrThrow(box);
  control.holds_null = text == std::u16string_view(u"\0", 1);
  const std::wstring shown = control.holds_null ? std::wstring() : Wide(text);
  replacing_ = &control;
  SetWindowTextW(control.handle, shown.c_str());
  replacing_ = nullptr;
}

LRESULT CALLBACK Form1Win32::WindowProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  auto* form = reinterpret_cast<Form1Win32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    form = static_cast<Form1Win32*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return form->AnswerReportingFailures(
      [&] { return form->HandleMessage(message, wparam, lparam); });
}

LRESULT CALLBACK Form1Win32::TextBoxProcedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                              UINT_PTR subclass, DWORD_PTR form) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, &TextBoxProcedure, subclass);
  auto* owner = reinterpret_cast<Form1Win32*>(form);
  return owner->AnswerReportingFailures(
      [&] { return owner->HandleBoxMessage(box, message, wparam, lparam); });
}

LRESULT CALLBACK Form1Win32::ButtonProcedure(HWND button, UINT message, WPARAM wparam,
                                             LPARAM lparam, UINT_PTR subclass, DWORD_PTR form) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, &ButtonProcedure, subclass);
  if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT) {
    auto* owner = reinterpret_cast<Form1Win32*>(form);
    const LRESULT answer =
        owner->AnswerReportingFailures([&] { return AnswerButtonObjectRequest(button, wparam); });
    if (answer != 0) return answer;
  }
  return DefSubclassProc(button, message, wparam, lparam);
}

// No exception may cross into Windows' own frames: whatever escapes a message is reported once
// that message is done, and the program ends.
template <typename Answer>
LRESULT Form1Win32::AnswerReportingFailures(Answer&& answer) noexcept {
  try {
    return answer();
  } catch (...) {
    ReportAfterThisMessage(EscapedFailureReport(std::current_exception()));
  }
  return 0;
}

void Form1Win32::ReportAfterThisMessage(FailureReport report) noexcept {
  if (ending_) return;
  ending_ = report.program_must_end;
  try {
    waiting_reports_.push_back(std::move(report));
  } catch (...) {
    std::abort();  // not even the report could be kept: nothing is left to vouch for
  }
  PostMessageW(window_, kShowReport, 0, 0);
}

void Form1Win32::ShowWaitingReport() noexcept {
  if (waiting_reports_.empty()) return;
  const FailureReport report = std::move(waiting_reports_.front());
  waiting_reports_.pop_front();
  try {
    if (show_report_) show_report_(report);
    if (report.program_must_end) {
      PostQuitMessage(EXIT_FAILURE);
    } else {
      FocusBox(report.focus_box);
    }
  } catch (...) {
    std::abort();  // not even the report could be shown
  }
}

// Notes where the selection stood before anything that may edit the box, for FollowEdit.
LRESULT Form1Win32::HandleBoxMessage(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  const std::optional<bool> keystroke = EditsAsKeystroke(message);
  if (!keystroke) return AnswerBoxMessage(box, message, wparam, lparam);
  const std::optional<PendingEdit> outer =
      std::exchange(pending_edit_, PendingEdit{box, SelectionOf(box), *keystroke});
  const LRESULT answer = AnswerBoxMessage(box, message, wparam, lparam);
  pending_edit_ = outer;
  return answer;
}

LRESULT Form1Win32::AnswerBoxMessage(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  // Anything that would bring in a character outside Windows-1252 is refused whole.
  switch (message) {
    case WM_KEYDOWN:
      if (KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU) && (wparam == 'Z' || wparam == 'Y')) {
        StepHistory(box, wparam == 'Z' && !KeyIsDown(VK_SHIFT));  // Ctrl+Shift+Z redoes
        return 0;
      }
      if (wparam == VK_INSERT && KeyIsDown(VK_SHIFT) && !KeyIsDown(VK_CONTROL)) {
        // The EDIT would paste by itself, past the checks below.
        SendMessageW(box, WM_PASTE, 0, 0);
        return 0;
      }
      if (const std::optional<StepKey> key = StepKeyOf(wparam); key && StepsCode(box)) {
        // At either end nothing changes, and the key is taken all the same.
        if (const auto stepped = SteppedCodeText(TextOf(box), StepOf(*key))) {
          const std::wstring text = Wide(*stepped);
          SendMessageW(box, EM_SETSEL, 0, -1);
          SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
        }
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      ShowContextMenu(box, lparam);
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lparam) == OBJID_CLIENT) {
        if (const LRESULT answer = AnswerBoxObjectRequest(box, wparam)) return answer;
      }
      break;
    case WM_SYSKEYDOWN:
      if (wparam == VK_BACK && (lparam & (1 << 29)) != 0) {  // Alt+Backspace, the old undo key
        StepHistory(box, true);
        return 0;
      }
      break;
    case WM_UNDO:
    case EM_UNDO:
      StepHistory(box, true);
      return TRUE;
    case EM_CANUNDO: {
      const Control* control = ControlByHandle(box);
      return control != nullptr && control->history.CanUndo() ? TRUE : FALSE;
    }
    case EM_EMPTYUNDOBUFFER:
      if (Control* control = ControlByHandle(box)) control->history.Clear();
      return 0;
    case WM_CHAR:
      if (wparam == 0x01) {  // Ctrl+A selects all, as in the Qt boxes; not every EDIT does it
        SendMessageW(box, EM_SETSEL, 0, -1);
        return 0;
      }
      if (wparam == 0x1A || wparam == 0x19) return 0;  // Ctrl+Z and Ctrl+Y, taken at their key
      [[fallthrough]];
    case WM_IME_CHAR:
      if (wparam >= 0x20 && !IsWindows1252Character(static_cast<char16_t>(wparam))) {
        MessageBeep(MB_OK);
        return 0;
      }
      break;
    case WM_PASTE: {
      // Read here, within the block's size, rather than by the EDIT, which reads to a terminator
      // that another program's block need not have; what was checked is what goes in.
      const std::optional<std::u16string> pasted = ClipboardText(box);
      if (!pasted) return 0;
      if (!AllWindows1252(*pasted)) {
        MessageBeep(MB_OK);
        return 0;
      }
      const std::u16string line(FirstLineOf(*pasted));
      SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
      return 0;
    }
    case WM_IME_COMPOSITION:
      if ((lparam & GCS_RESULTSTR) != 0) {
        HIMC context = ImmGetContext(box);
        const std::optional<std::u16string> result =
            CompositionResult(context, &ImmGetCompositionStringW);
        const bool acceptable = result && AllWindows1252(*result);
        if (!acceptable) ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
        ImmReleaseContext(box, context);
        if (!acceptable) {
          MessageBeep(MB_OK);
          return 0;
        }
      }
      break;
    case WM_SETTEXT:
    case EM_REPLACESEL:
      if (lparam != 0 && !AllWindows1252(reinterpret_cast<const wchar_t*>(lparam))) return FALSE;
      break;
    case WM_PAINT: {
      const LRESULT painted = DefSubclassProc(box, message, wparam, lparam);
      if (const std::optional<std::uint8_t> code = PictureIn(box)) PaintPicture(box, *code);
      return painted;
    }
    default:
      break;
  }
  return DefSubclassProc(box, message, wparam, lparam);
}

bool Form1Win32::StepsCode(HWND box) const {
  const Control* control = ControlByHandle(box);
  return control != nullptr && control->name == kSteppingBox;
}

// The box's own menu rather than the EDIT's, which has no room for the Copy as group; its items
// are the EDIT's, each done by the message the EDIT's would send.
void Form1Win32::ShowContextMenu(HWND box, LPARAM where) {
  const Control* control = ControlByHandle(box);
  if (control == nullptr) return;
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the box's top left corner
    at = {0, 0};
    ClientToScreen(box, &at);
  }
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end;
  const auto length = static_cast<DWORD>(GetWindowTextLengthW(box));
  const auto item = [](HMENU menu, UINT command, const wchar_t* text, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command, text);
  };
  const PopupMenu menu;
  item(menu.get(), kUndo, L"&Undo\tCtrl+Z", control->history.CanUndo());
  item(menu.get(), kRedo, L"&Redo\tCtrl+Y", control->history.CanRedo());
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  item(menu.get(), kCut, L"Cu&t\tCtrl+X", selected);
  item(menu.get(), kCopy, L"&Copy\tCtrl+C", selected);
  item(menu.get(), kPaste, L"&Paste\tCtrl+V", IsClipboardFormatAvailable(CF_UNICODETEXT) != 0);
  item(menu.get(), kDelete, L"Delete", selected);
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  item(menu.get(), kSelectAll, L"Select All\tCtrl+A", length > 0 && end - start < length);
  const std::vector<std::u16string> forms = CopyAsForms(control->name, *this);
  if (!forms.empty()) {
    HMENU copy_as = CreatePopupMenu();  // the menu destroys it with itself
    for (std::size_t i = 0; i < forms.size(); ++i) {
      const std::wstring text = Wide(MenuEntryText(forms[i]));
      AppendMenuW(copy_as, MF_STRING, kFirstCopyAs + i, text.c_str());
    }
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    const std::wstring title = Wide(kCopyAsMenuTitle);
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(copy_as), title.c_str());
  }
  SetFocus(box);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, box, nullptr));
  switch (chosen) {
    case kUndo:
      StepHistory(box, true);
      break;
    case kRedo:
      StepHistory(box, false);
      break;
    case kCut:
      SendMessageW(box, WM_CUT, 0, 0);
      break;
    case kCopy:
      SendMessageW(box, WM_COPY, 0, 0);
      break;
    case kPaste:
      SendMessageW(box, WM_PASTE, 0, 0);
      break;
    case kDelete:
      SendMessageW(box, WM_CLEAR, 0, 0);
      break;
    case kSelectAll:
      SendMessageW(box, EM_SETSEL, 0, -1);
      break;
    default:
      if (chosen >= kFirstCopyAs && chosen - kFirstCopyAs < forms.size()) {
        PutOnClipboard(window_, forms[chosen - kFirstCopyAs]);
      }
      break;
  }
}

LRESULT Form1Win32::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      HandleCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DPICHANGED: {
      Layout(HIWORD(wparam));
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      const SIZE size = WindowSizeFor(layout::kLayoutTable.window, dpi_);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_ACTIVATE:
      // As a dialog does: the focus comes back to the control that had it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus)) focus_ = focus;
      } else if (focus_ != nullptr) {
        SetFocus(focus_);
        return 0;
      }
      break;
    case kShowReport:
      ShowWaitingReport();
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lparam) == OBJID_CLIENT) {
        if (const LRESULT answer = AnswerWindowObjectRequest(window_, wparam)) return answer;
      }
      break;
    case kRunTask:
      if (!tasks_.empty()) {
        const std::function<void()> task = std::move(tasks_.front());
        tasks_.pop_front();
        task();
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(EXIT_SUCCESS);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void Form1Win32::HandleCommand(int id, int code) {
  if (id == IDOK) {
    // Enter: it presses the button only while the button has the focus.
    const auto button = std::find_if(controls_.begin(), controls_.end(), [](const Control& each) {
      return each.name == control_names::kExitButton;
    });
    if (button != controls_.end() && GetFocus() == button->handle && button->handler) {
      button->handler();
    }
    return;
  }
  Control* control = ControlById(id);
  if (control == nullptr) return;
  if (code == EN_CHANGE) {
    if (control != replacing_) control->holds_null = false;  // the user's own edit
    FollowEdit(*control);
    UpdateRowDetails(control->name);
    InvalidateRect(control->handle, nullptr, TRUE);
    if (control->handler) control->handler();
  } else if (code == BN_CLICKED && control->name == control_names::kExitButton) {
    if (control->handler) control->handler();
  }
}

void Form1Win32::FollowEdit(Control& control) {
  std::u16string text = TextOf(control.handle);
  if (&control == replacing_) {
    control.history.Clear();  // written by the program: nothing of the user's is left to undo
  } else if (&control != stepping_history_) {
    // An edit with no note of where it began, such as a text set from outside the program, is
    // found from the texts alone.
    const bool noted = pending_edit_ && pending_edit_->box == control.handle;
    const auto end = static_cast<std::ptrdiff_t>(control.last_text.size());
    auto edit = EditBetween(control.last_text, text,
                            noted ? pending_edit_->place : CursorAndAnchor{end, end},
                            noted && pending_edit_->keystroke);
    // Wine's EDIT also reports a change when Ctrl+A selects all: no step for no change.
    if (!edit.removed.empty() || !edit.inserted.empty()) control.history.Record(std::move(edit));
  }
  control.last_text = std::move(text);
}

void Form1Win32::StepHistory(HWND box, bool back) {
  Control* control = ControlByHandle(box);
  if (control == nullptr || GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY) return;
  const BasicTextEdit<std::u16string>* step =
      back ? control->history.StepBack() : control->history.StepForward();
  if (step == nullptr) return;
  // Copied first: the change runs the handlers, which the step must not depend on outliving.
  const std::size_t taken_out = (back ? step->inserted : step->removed).size();
  const std::wstring put_in = Wide(back ? step->removed : step->inserted);
  const auto start = static_cast<WPARAM>(step->position);
  const CursorAndAnchor before = step->before;
  stepping_history_ = control;
  SendMessageW(box, EM_SETSEL, start, static_cast<LPARAM>(start + taken_out));
  // Not undoable by the EDIT itself, which would keep a second copy of what it replaces.
  SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(put_in.c_str()));
  stepping_history_ = nullptr;
  if (back) {
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(before.anchor),
                 static_cast<LPARAM>(before.cursor));
  }
}

void Form1Win32::Layout(UINT dpi) {
  dpi_ = dpi;
  HDC context = GetDC(window_);
  // The controls draw with the old fonts until they are given the new ones: freed only after.
  const GdiFont old_window_font = std::move(window_font_);
  const GdiFont old_banner_font = std::move(banner_font_);
  ChooseFonts(context);
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const Control& each) { return each.name == record.name; });
    if (found == controls_.end()) continue;
    const RECT place = PlaceOf(record, dpi_);
    MoveWindow(found->handle, place.left, place.top, place.right - place.left,
               place.bottom - place.top, TRUE);
    SendMessageW(found->handle, WM_SETFONT, reinterpret_cast<WPARAM>(window_font_.get()), TRUE);
  }
  // A caption cut at its label's edge shows whole as the label's tooltip.
  UINT_PTR tool_id = kFirstLabelTool;
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.kind != ControlKind::Label) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = tool_id++;
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    const HFONT font =
        record.font == layout::FontChoice::Banner ? banner_font_.get() : window_font_.get();
    const RECT place = PlaceOf(record, dpi_);
    if (!CaptionIsCut(CaptionWidth(context, font, record.text), place.right - place.left)) continue;
    const std::wstring caption = Wide(record.text);
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = place;
    tool.lpszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  ReleaseDC(window_, context);
  InvalidateRect(window_, nullptr, TRUE);
}

// The table's fonts, as the Qt window takes them: an empty face, or one that is not installed,
// stands for the platform's message face. A caption that does not fit its label at the table's
// size is cut, and its label gets a tooltip (see Layout).
void Form1Win32::ChooseFonts(HDC context) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  const auto font_from_record = [&](const layout::FontRecord& record) {
    const std::wstring face = Wide(record.face);
    const bool installed = !record.face.empty() && FontIsInstalled(context, record.face);
    LOGFONTW description =
        FontDescription(installed ? face.c_str() : metrics.lfMessageFont.lfFaceName,
                        record.point_size, record.weight, dpi_);
    description.lfItalic = record.italic ? TRUE : FALSE;
    description.lfUnderline = record.underline ? TRUE : FALSE;
    description.lfStrikeOut = record.strike_out ? TRUE : FALSE;
    return GdiFont(description);
  };
  window_font_ = font_from_record(layout::kLayoutTable.window_font);
  banner_font_ = font_from_record(layout::kLayoutTable.banner_font);
}

void Form1Win32::Paint() {
  PAINTSTRUCT paint{};
  HDC context = BeginPaint(window_, &paint);
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
  const HGDIOBJ previous_font = SelectObject(context, window_font_.get());
  const HGDIOBJ previous_pen = SelectObject(context, GetStockObject(DC_PEN));
  SetDCPenColor(context, GetSysColor(COLOR_WINDOWTEXT));
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.kind == ControlKind::Line) {
      const auto& segment = std::get<layout::TwipSegment>(record.place);
      MoveToEx(context, Pixels(segment.x1, dpi_), Pixels(segment.y1, dpi_), nullptr);
      LineTo(context, Pixels(segment.x2, dpi_), Pixels(segment.y2, dpi_));
      continue;
    }
    if (record.kind != ControlKind::Label) continue;
    SelectObject(context, record.font == layout::FontChoice::Banner ? banner_font_.get()
                                                                    : window_font_.get());
    RECT place = PlaceOf(record, dpi_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    const UINT vertical =
        AnchorCaption(metrics.tmHeight, place.bottom - place.top) == CaptionAnchor::Bottom
            ? DT_BOTTOM
            : DT_TOP;
    const std::wstring caption = Wide(record.text);
    DrawTextW(context, caption.c_str(), static_cast<int>(caption.size()), &place,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | vertical);
  }
  SelectObject(context, previous_pen);
  SelectObject(context, previous_font);
  EndPaint(window_, &paint);
}

std::optional<std::uint8_t> Form1Win32::PictureIn(HWND box) const {
  const Control* control = ControlByHandle(box);
  if (control == nullptr) return std::nullopt;
  return PicturedCode(control->name,
                      control->holds_null ? std::u16string(1, u'\0') : TextOf(control->handle));
}

const Form1Win32::Control* Form1Win32::ControlByHandle(HWND handle) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const Control& each) { return each.handle == handle; });
  return found == controls_.end() ? nullptr : &*found;
}

void Form1Win32::PaintPicture(HWND box, std::uint8_t code) const {
  const std::wstring label = Wide(PictureText(code));
  HideCaret(box);
  HDC context = GetDC(box);
  RECT inside{};
  GetClientRect(box, &inside);
  FillRect(context, &inside, GetSysColorBrush(COLOR_WINDOW));
  const HGDIOBJ previous_font = SelectObject(context, window_font_.get());
  SIZE text_size{};
  GetTextExtentPoint32W(context, label.c_str(), static_cast<int>(label.size()), &text_size);
  const int padding = MulDiv(2, static_cast<int>(dpi_), 96);
  RECT picture{inside.left + padding, (inside.top + inside.bottom - text_size.cy) / 2 - 1, 0, 0};
  picture.right = picture.left + text_size.cx + 2 * padding;
  picture.bottom = picture.top + text_size.cy + 2;
  HPEN dotted = CreatePen(PS_DOT, 1, GetSysColor(COLOR_GRAYTEXT));
  const HGDIOBJ previous_pen = SelectObject(context, dotted);
  const HGDIOBJ previous_brush = SelectObject(context, GetStockObject(NULL_BRUSH));
  Rectangle(context, picture.left, picture.top, picture.right, picture.bottom);
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(context, label.c_str(), static_cast<int>(label.size()), &picture,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(context, previous_brush);
  SelectObject(context, previous_pen);
  SelectObject(context, previous_font);
  DeleteObject(dotted);
  ReleaseDC(box, context);
  ShowCaret(box);
}

void Form1Win32::UpdateRowDetails(std::string_view output_box) {
  const auto row = std::find_if(
      accessibility::kRows.begin(), accessibility::kRows.end(),
      [&](const accessibility::RowRecord& each) { return each.output_box == output_box; });
  if (row == accessibility::kRows.end()) return;
  const RowText text = RowTextFor(*row, ReadText(output_box));
  const std::wstring details = Wide(text.tooltip);
  for (const std::string_view box : {row->input_box, row->output_box}) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(TextBoxOrThrow(box).handle);
    tool.lpszText = const_cast<wchar_t*>(details.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, TextBoxOrThrow(box).handle, OBJID_CLIENT,
                   CHILDID_SELF);
  }
  // Someone typing in the output box itself hears their own keys; anyone else is told.
  if (!text.announcement.empty() && GetFocus() != TextBoxOrThrow(output_box).handle) {
    Announce(text.announcement);
  }
}

void Form1Win32::Announce(std::u16string_view message) {
  if (announcer_ == nullptr) return;
  const std::wstring text = Wide(message);
  SetWindowTextW(announcer_, text.c_str());
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, announcer_, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, announcer_, OBJID_CLIENT, CHILDID_SELF);
}

std::u16string Form1Win32::AccessibleNameOf(HWND box) const {
  const Control* control = ControlByHandle(box);
  if (control == nullptr) return {};
  return std::u16string(accessibility::AccessibleName(control->name));
}

std::u16string Form1Win32::AccessibleDescriptionOf(HWND box) const {
  const Control* control = ControlByHandle(box);
  if (control == nullptr) return {};
  const accessibility::RowRecord* row = accessibility::RowOfBox(control->name);
  return row != nullptr ? RowTextFor(*row, ReadText(row->output_box)).description
                        : std::u16string();
}

std::u16string Form1Win32::AccessibleValueOf(HWND box) const {
  const Control* control = ControlByHandle(box);
  if (control == nullptr) return {};
  return control->holds_null ? PictureText(0) : TextOf(control->handle);
}

HWND Form1Win32::ControlHandle(std::string_view name) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const Control& each) { return each.name == name; });
  return found == controls_.end() ? nullptr : found->handle;
}

RECT Form1Win32::LabelPlace(std::string_view label) const {
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.name == label && record.kind == ControlKind::Label) return PlaceOf(record, dpi_);
  }
  return {};
}

Form1Win32::Control* Form1Win32::ControlByHandle(HWND handle) {
  return const_cast<Control*>(std::as_const(*this).ControlByHandle(handle));
}

Form1Win32::Control* Form1Win32::ControlById(int id) {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const Control& each) { return each.id == id; });
  return found == controls_.end() ? nullptr : &*found;
}

const Form1Win32::Control& Form1Win32::TextBoxOrThrow(std::string_view name) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(), [&](const Control& each) {
    return each.name == name && each.name != control_names::kExitButton;
  });
  if (found == controls_.end()) {
    throw std::invalid_argument("Form1 has no text box named " + std::string(name));
  }
  return *found;
}

Form1Win32::Control& Form1Win32::TextBoxOrThrow(std::string_view name) {
  return const_cast<Control&>(std::as_const(*this).TextBoxOrThrow(name));
}

std::u16string Form1Win32::TextOf(HWND control) const {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return {text.begin(), text.end()};
}

}  // namespace zentavo
