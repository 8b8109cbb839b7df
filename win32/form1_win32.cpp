#include "form1_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "accessibility_table.h"
#include "accessible_objects.h"
#include "caption_fitting_win32.h"
#include "character_finder_screen.h"
#include "character_finder_text.h"
#include "character_finder_win32.h"
#include "character_picture.h"
#include "control_names.h"
#include "focus_order.h"
#include "keyboard_here_win32.h"
#include "layout_table.h"
#include "window_geometry.h"
#include "window_text.h"

namespace zentavo {
namespace {

using layout::ControlKind;
using layout::ControlRecord;

constexpr wchar_t kWindowClass[] = L"ZentavoForm1";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which Enter and Esc send
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

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

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);  // fails harmlessly when a second window registers again
}

// The window's icons, large and small, from the program's icon resource: given once the window
// shows, as the window system shows an icon a moment after its window (the icons are shared
// resources, never destroyed).
void SetWindowIcons(HWND window, HINSTANCE instance) {
  const auto icon = [instance](int width_metric, int height_metric) {
    return reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(width_metric),
                                               GetSystemMetrics(height_metric), LR_SHARED));
  };
  SendMessageW(window, WM_SETICON, ICON_BIG, icon(SM_CXICON, SM_CYICON));
  SendMessageW(window, WM_SETICON, ICON_SMALL, icon(SM_CXSMICON, SM_CYSMICON));
}

}  // namespace

Form1Win32::Form1Win32(HINSTANCE instance) {
  const layout::LayoutTable& table = layout::kLayoutTable;
  RegisterWindowClass(instance, &WindowProcedure);
  const UINT dpi = DpiOf(nullptr);
  const SIZE size = WindowSizeFor(table.window, dpi);
  const std::u16string caption(table.window.caption);
  CreateWindowExW(0, kWindowClass, Wide(caption), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                  size.cy, nullptr, nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("the window could not be created");
  failures_.OnFocusBox([this](std::string_view box) { FocusBox(box); });
  CreateControls(instance);

  // The window is sized and laid out for the DPI the system gives the window itself, which can
  // differ from the screen's (wine 10 gives a per-monitor-aware window 96 whatever the screen's).
  const UINT window_dpi = DpiOf(window_);
  if (window_dpi != dpi) {
    const SIZE sized = WindowSizeFor(table.window, window_dpi);
    SetWindowPos(window_, nullptr, 0, 0, sized.cx, sized.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout(window_dpi);
  for (RowDetailsWin32& row : rows_) row.Update(ReadText(row.Row().output_box));
}

void Form1Win32::CreateControls(HINSTANCE instance) {
  int id = kFirstControlId;
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.kind == ControlKind::TextBox) {
      boxes_.push_back(
          std::make_unique<TextBoxWin32>(record, window_, instance, id++, *this, failures_));
      boxes_.back()->OnFindCharacter([this] { FindCharacter(); });
    } else if (record.kind == ControlKind::PushButton) {
      // A plain push button: neither default nor cancel button, so Enter in a box and Esc
      // do not press it.
      const std::u16string text(record.text);
      button_ = CreateWindowExW(
          0, L"BUTTON", Wide(text), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
          window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
      if (button_ == nullptr) throw std::runtime_error("the button could not be created");
      SetWindowSubclass(button_, &ButtonProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }  // labels and lines are painted on the window's own surface
  }
  // The dialog manager tabs in z-order, so the controls are stacked in the focus order.
  HWND previous = HWND_TOP;
  for (const std::string_view name : FocusOrder()) {
    HWND control = ControlHandle(name);
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
  announcer_ = std::make_unique<ResultAnnouncerWin32>(window_, instance);
  rows_.reserve(accessibility::kRows.size());
  for (const accessibility::RowRecord& row : accessibility::kRows) {
    rows_.emplace_back(row, window_, BoxHandle(row.input_box), BoxHandle(row.output_box),
                       *announcer_);
  }
}

Form1Win32::~Form1Win32() {
  if (IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

const Form1Win32* Form1Win32::FromHandle(HWND window) {
  wchar_t class_name[std::size(kWindowClass) + 1]{};
  if (!IsWindow(window) ||
      GetClassNameW(window, class_name, static_cast<int>(std::size(class_name))) == 0 ||
      std::wstring_view(class_name) != kWindowClass) {
    return nullptr;
  }
  return reinterpret_cast<const Form1Win32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Form1Win32::Show(int show_command) {
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
  FocusBox(kFirstFocus);
  // What only hovering and screen readers need is made once the window is up, not before.
  PostMessageW(window_, kFinishStartMessage, 0, 0);
}

void Form1Win32::FindCharacter() {
  const std::optional<std::uint8_t> code = FindCharacterWin32(window_, *announcer_);
  if (!code) return;
  FocusBox(kFoundCodeBox);
  BoxOrThrow(kFoundCodeBox).ReplaceAll(FoundCodeText(*code));
}

void Form1Win32::FinishStart() {
  if (started_) return;
  started_ = true;
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  SetWindowIcons(window_, instance);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);  // lets a tip keep its line breaks
  for (RowDetailsWin32& row : rows_) row.ShowTipsIn(tooltip_);
  AddCutCaptionTooltips(window_, tooltip_, window_font_.get(), banner_font_.get(), dpi_);
  if (announcer_) announcer_->Prepare();
}

void Form1Win32::Bind(std::string_view control, std::function<void()> handler) {
  if (ControlHandle(control) == nullptr) {
    throw std::invalid_argument("no control named " + std::string(control));
  }
  handlers_[std::string(control)] = std::move(handler);
}

void Form1Win32::OnFailureReport(std::function<void(const FailureReport&)> show) {
  failures_.OnShow(std::move(show));
}

void Form1Win32::ReportAfterThisMessage(FailureReport report) noexcept {
  failures_.ReportAfterThisMessage(std::move(report));
}

void Form1Win32::FocusBox(std::string_view box) {
  focus_ = BoxOrThrow(box).Handle();
  SetFocus(focus_);
}

bool Form1Win32::TakeDialogMessage(MSG& message) {
  return IsDialogMessageW(window_, &message) != 0;
}

std::u16string Form1Win32::ReadText(std::string_view box) const { return BoxOrThrow(box).Text(); }

std::u16string Form1Win32::ReadTextStart(std::string_view box, std::size_t characters) const {
  return BoxOrThrow(box).TextStart(characters);
}

void Form1Win32::ReplaceText(std::string_view box, std::u16string_view text) {
  BoxOrThrow(box).Write(text);
}

LRESULT CALLBACK Form1Win32::WindowProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  auto* form = reinterpret_cast<Form1Win32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    form = static_cast<Form1Win32*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->window_ = window;
    form->failures_.SetWindow(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return form->failures_.AnswerReportingFailures(
      [&] { return form->HandleMessage(message, wparam, lparam); });
}

LRESULT CALLBACK Form1Win32::ButtonProcedure(HWND button, UINT message, WPARAM wparam,
                                             LPARAM lparam, UINT_PTR subclass, DWORD_PTR form) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, &ButtonProcedure, subclass);
  if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT) {
    auto* owner = reinterpret_cast<Form1Win32*>(form);
    const LRESULT answer = owner->failures_.AnswerReportingFailures(
        [&] { return AnswerButtonObjectRequest(button, wparam); });
    if (answer != 0) return answer;
  }
  return DefSubclassProc(button, message, wparam, lparam);
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
    case FailureReportWin32::kShowReportMessage:
      failures_.ShowWaitingReport();
      return 0;
    case kFinishStartMessage:
      FinishStart();
      return 0;
    case WM_INPUTLANGCHANGE:
      // The user switched layouts: what the rows tell of typing follows at once.
      ForgetKeyboardLayout();
      for (RowDetailsWin32& row : rows_) row.Refresh(ReadText(row.Row().output_box));
      break;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lparam) == OBJID_CLIENT) {
        if (const LRESULT answer = AnswerWindowObjectRequest(window_, wparam)) return answer;
      }
      break;
    case WM_CTLCOLORSTATIC:
      // The live region's text is for screen readers: it draws in the window's own colours.
      if (announcer_ && reinterpret_cast<HWND>(lparam) == announcer_->Region()) {
        const auto context = reinterpret_cast<HDC>(wparam);
        SetTextColor(context, GetSysColor(COLOR_BTNFACE));
        SetBkColor(context, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
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
  const auto run_handler = [this](std::string_view control) {
    const auto handler = handlers_.find(control);
    if (handler != handlers_.end() && handler->second) handler->second();
  };
  const bool button_pressed =
      (id == IDOK && GetFocus() == button_) ||  // Enter on the button
      (button_ != nullptr && id == GetDlgCtrlID(button_) && code == BN_CLICKED);
  if (button_pressed) {
    run_handler(control_names::kExitButton);
  } else if (TextBoxWin32* box = BoxById(id); box != nullptr && code == EN_CHANGE) {
    TextChanged(*box);
    run_handler(box->Name());
  } else if (box != nullptr && code == EN_ERRSPACE) {
    MessageBeep(MB_ICONHAND);  // no room for the change: the text stays as it was
  }
}

void Form1Win32::TextChanged(TextBoxWin32& box) {
  box.FollowChange();
  for (RowDetailsWin32& row : rows_) {
    if (row.Row().output_box != box.Name()) continue;
    const bool stepped = BoxOrThrow(row.Row().input_box).Stepping();
    row.Update(box.Text(), stepped ? InputChange::Stepped : InputChange::Edited);
  }
  // A picture is drawn over the box's own painting; the program's U+0000 changes the picture
  // without changing the control's text, so the box would not repaint by itself. Only then:
  // a whole repaint of a line of megabytes costs the EDIT as much as the change itself.
  if (box.PictureMayHaveChanged()) InvalidateRect(box.Handle(), nullptr, TRUE);
}

void Form1Win32::Layout(UINT dpi) {
  dpi_ = dpi;
  HDC context = GetDC(window_);
  // The controls draw with the old fonts until they are given the new ones: freed only after.
  const GdiFont old_window_font = std::move(window_font_);
  const GdiFont old_banner_font = std::move(banner_font_);
  window_font_ = FontFromRecord(context, layout::kLayoutTable.window_font, dpi_);
  banner_font_ = FontFromRecord(context, layout::kLayoutTable.banner_font, dpi_);
  ReleaseDC(window_, context);
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    const RECT place = record.kind == ControlKind::TextBox || record.kind == ControlKind::PushButton
                           ? PlaceOf(record, dpi_)
                           : RECT{};
    if (record.kind == ControlKind::TextBox) {
      BoxOrThrow(record.name).Place(place, window_font_.get(), dpi_);
    } else if (record.kind == ControlKind::PushButton) {
      MoveWindow(button_, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 TRUE);
      SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(window_font_.get()), TRUE);
    }
  }
  if (started_) {
    AddCutCaptionTooltips(window_, tooltip_, window_font_.get(), banner_font_.get(), dpi_);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

void Form1Win32::Paint() {
  PAINTSTRUCT paint{};
  HDC context = BeginPaint(window_, &paint);
  PaintCaptionsAndLines(context, window_font_.get(), banner_font_.get(), dpi_);
  EndPaint(window_, &paint);
}

std::u16string Form1Win32::AccessibleNameOf(HWND box) const {
  const TextBoxWin32* found = BoxByHandle(box);
  if (found == nullptr) return {};
  return std::u16string(accessibility::AccessibleName(found->Name()));
}

std::u16string Form1Win32::AccessibleDescriptionOf(HWND box) const {
  const TextBoxWin32* found = BoxByHandle(box);
  const RowDetailsWin32* row = found != nullptr ? RowDetailsOf(found->Name()) : nullptr;
  return row != nullptr ? row->Description() : std::u16string();
}

std::u16string Form1Win32::AccessibleValueOf(HWND box) const {
  const TextBoxWin32* found = BoxByHandle(box);
  return found != nullptr ? found->AccessibleValue() : std::u16string();
}

HWND Form1Win32::ControlHandle(std::string_view name) const {
  if (name == control_names::kExitButton) return button_;
  const auto found = std::find_if(boxes_.begin(), boxes_.end(),
                                  [&](const auto& box) { return box->Name() == name; });
  return found == boxes_.end() ? nullptr : (*found)->Handle();
}

RECT Form1Win32::LabelPlace(std::string_view label) const {
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.name == label && record.kind == ControlKind::Label) return PlaceOf(record, dpi_);
  }
  return {};
}

TextBoxWin32* Form1Win32::BoxById(int id) {
  const auto found =
      std::find_if(boxes_.begin(), boxes_.end(), [&](const auto& box) { return box->Id() == id; });
  return found == boxes_.end() ? nullptr : found->get();
}

const TextBoxWin32* Form1Win32::BoxByHandle(HWND handle) const {
  const auto found = std::find_if(boxes_.begin(), boxes_.end(),
                                  [&](const auto& box) { return box->Handle() == handle; });
  return found == boxes_.end() ? nullptr : found->get();
}

const TextBoxWin32& Form1Win32::BoxOrThrow(std::string_view name) const {
  const auto found = std::find_if(boxes_.begin(), boxes_.end(),
                                  [&](const auto& box) { return box->Name() == name; });
  if (found == boxes_.end()) {
    throw std::invalid_argument("Form1 has no text box named " + std::string(name));
  }
  return **found;
}

TextBoxWin32& Form1Win32::BoxOrThrow(std::string_view name) {
  return const_cast<TextBoxWin32&>(std::as_const(*this).BoxOrThrow(name));
}

const RowDetailsWin32* Form1Win32::RowDetailsOf(std::string_view box) const {
  const accessibility::RowRecord* row = accessibility::RowOfBox(box);
  const auto found = std::find_if(rows_.begin(), rows_.end(),
                                  [&](const RowDetailsWin32& each) { return &each.Row() == row; });
  return found == rows_.end() ? nullptr : &*found;
}

}  // namespace zentavo
