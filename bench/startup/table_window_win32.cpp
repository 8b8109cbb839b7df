// The second floor for Zentavo.exe's start-up: the bare window of floor_window_win32.cpp plus
// what the layout table itself describes, made by the program's own code for it: the window's
// and the banner's fonts, given to the boxes and the button, and every label's caption and the
// two lines painted on the window. No icon, subclassing, accessibility, tab order or handlers.
#include <windows.h>

#include <string>
#include <variant>

#include "caption_fitting_win32.h"
#include "gdi_font.h"
#include "layout_table.h"

namespace {

struct Fonts {
  zentavo::GdiFont window;
  zentavo::GdiFont banner;
};
Fonts* g_fonts = nullptr;

LRESULT CALLBACK TableProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT && g_fonts != nullptr) {
    PAINTSTRUCT paint{};
    HDC context = BeginPaint(window, &paint);
    zentavo::PaintCaptionsAndLines(context, g_fonts->window.get(), g_fonts->banner.get(), 96);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show_command) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &TableProcedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"ZentavoTableFloor";
  RegisterClassExW(&window_class);

  using zentavo::layout::TwipsToPixels;
  const auto& table = zentavo::layout::kLayoutTable;
  RECT frame{0, 0, TwipsToPixels(table.window.client_width),
             TwipsToPixels(table.window.client_height)};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window =
      CreateWindowExW(0, L"ZentavoTableFloor", L"Zentavo table floor", WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  HDC context = GetDC(window);
  Fonts fonts{zentavo::FontFromRecord(context, table.window_font, 96),
              zentavo::FontFromRecord(context, table.banner_font, 96)};
  ReleaseDC(window, context);
  g_fonts = &fonts;
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
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.window.get()), FALSE);
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
  g_fonts = nullptr;
  return 0;
}
