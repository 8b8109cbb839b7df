// The floors for Zentavo.exe's start-up. The first: a bare Win32 window of its size with the same
// child controls (four EDITs and a button) in the same places, and nothing else: no fonts, icon,
// labels, subclassing, accessibility or handlers. The second, built with
// ZENTAVO_TABLE_FLOOR: the same window with what the layout table itself describes, made by the
// program's own code for it: the window's and the banner's fonts, given to the boxes and the
// button, and every label's caption and the two lines painted on the window.
#include <windows.h>

#include <optional>
#include <string>
#include <variant>

#include "layout_table.h"
#ifdef ZENTAVO_TABLE_FLOOR
#include "caption_fitting_win32.h"
#include "gdi_font.h"
#endif

namespace {

#ifdef ZENTAVO_TABLE_FLOOR
constexpr wchar_t kCaption[] = L"Zentavo table floor";
struct Fonts {
  zentavo::GdiFont window;
  zentavo::GdiFont banner;
};
std::optional<Fonts> g_fonts;
#else
constexpr wchar_t kCaption[] = L"Zentavo floor";
#endif

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
#ifdef ZENTAVO_TABLE_FLOOR
  if (message == WM_PAINT && g_fonts) {
    PAINTSTRUCT paint{};
    HDC context = BeginPaint(window, &paint);
    zentavo::PaintCaptionsAndLines(context, g_fonts->window.get(), g_fonts->banner.get(), 96);
    EndPaint(window, &paint);
    return 0;
  }
#endif
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// The font the boxes and the button are given: the system's, or the table's own.
HFONT ControlFont(HWND window) {
#ifdef ZENTAVO_TABLE_FLOOR
  const auto& table = zentavo::layout::kLayoutTable;
  HDC context = GetDC(window);
  g_fonts.emplace(Fonts{zentavo::FontFromRecord(context, table.window_font, 96),
                        zentavo::FontFromRecord(context, table.banner_font, 96)});
  ReleaseDC(window, context);
  return g_fonts->window.get();
#else
  (void)window;
  return nullptr;
#endif
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show_command) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &FloorProcedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"ZentavoFloor";
  RegisterClassExW(&window_class);

  using zentavo::layout::TwipsToPixels;
  const auto& table = zentavo::layout::kLayoutTable;
  RECT frame{0, 0, TwipsToPixels(table.window.client_width),
             TwipsToPixels(table.window.client_height)};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExW(0, L"ZentavoFloor", kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, nullptr);
  const HFONT font = ControlFont(window);
  for (const auto& control : table.controls) {
    const auto* place = std::get_if<zentavo::layout::TwipRect>(&control.place);
    const bool box = control.kind == zentavo::layout::ControlKind::TextBox;
    if (place == nullptr || (!box && control.kind != zentavo::layout::ControlKind::PushButton)) {
      continue;
    }
    const std::wstring text(control.text.begin(), control.text.end());
    HWND child = CreateWindowExW(
        box ? WS_EX_CLIENTEDGE : 0, box ? L"EDIT" : L"BUTTON", text.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | (box ? ES_AUTOHSCROLL : BS_PUSHBUTTON),
        TwipsToPixels(place->left), TwipsToPixels(place->top), TwipsToPixels(place->width),
        TwipsToPixels(place->height), window, nullptr, instance, nullptr);
    if (font != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(window, show_command);
  UpdateWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}
