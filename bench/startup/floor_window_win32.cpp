// The floor for Zentavo.exe's start-up: a bare Win32 window of its size with the same child
// controls (four EDITs and a button) in the same places, and nothing else: no fonts, icon,
// labels, subclassing, accessibility or handlers.
#include <windows.h>

#include <string>
#include <variant>

#include "layout_table.h"

namespace {

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
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
  HWND window = CreateWindowExW(0, L"ZentavoFloor", L"Zentavo floor", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  for (const auto& control : table.controls) {
    const auto* place = std::get_if<zentavo::layout::TwipRect>(&control.place);
    const bool box = control.kind == zentavo::layout::ControlKind::TextBox;
    if (place == nullptr || (!box && control.kind != zentavo::layout::ControlKind::PushButton)) {
      continue;
    }
    const std::wstring text(control.text.begin(), control.text.end());
    CreateWindowExW(box ? WS_EX_CLIENTEDGE : 0, box ? L"EDIT" : L"BUTTON", text.c_str(),
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | (box ? ES_AUTOHSCROLL : BS_PUSHBUTTON),
                    TwipsToPixels(place->left), TwipsToPixels(place->top),
                    TwipsToPixels(place->width), TwipsToPixels(place->height), window, nullptr,
                    instance, nullptr);
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
