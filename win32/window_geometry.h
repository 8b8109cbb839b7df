// Where the layout table puts a control, in a window's pixels at a given DPI, and the DPI a
// window is given.
#pragma once

#include <windows.h>

#include <variant>

#include "layout_table.h"

namespace zentavo {

inline int Pixels(int twips, UINT dpi) {
  return layout::TwipsToPixels(twips, static_cast<int>(dpi));
}

// Newer user32 functions, looked up so that the program still starts where they are missing.
template <typename Function>
inline Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The DPI Windows gives `window`, or the screen's where it gives none (before Windows 10, or
// for no window yet).
inline UINT DpiOf(HWND window) {
  static const auto get_dpi_for_window = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (window != nullptr && get_dpi_for_window != nullptr) return get_dpi_for_window(window);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

inline RECT PlaceOf(const layout::ControlRecord& record, UINT dpi) {
  const layout::PixelRect place =
      layout::ToPixels(std::get<layout::TwipRect>(record.place), static_cast<int>(dpi));
  return {place.left, place.top, place.right, place.bottom};
}

}  // namespace zentavo
