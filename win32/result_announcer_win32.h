// Tells a Windows screen reader what a conversion gave while the focus stays in the box being
// typed in.
#pragma once

#include <windows.h>

#include <string_view>

namespace zentavo {

// A live region: a static of no size, so it takes no room, no clicks and no focus, last in the
// tab order, after the button. Its text is each result to announce.
class ResultAnnouncerWin32 {
 public:
  ResultAnnouncerWin32(HWND window, HINSTANCE instance);
  ResultAnnouncerWin32(const ResultAnnouncerWin32&) = delete;
  ResultAnnouncerWin32& operator=(const ResultAnnouncerWin32&) = delete;

  void Announce(std::u16string_view message);

 private:
  HWND region_ = nullptr;
};

}  // namespace zentavo
