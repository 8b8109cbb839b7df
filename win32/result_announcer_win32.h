// Tells a Windows screen reader what a conversion gave while the focus stays in the box being
// typed in.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

namespace zentavo {

class UiaNotificationsWin32;

// Through UI Automation's notification event where the system has it (NVDA and Narrator speak
// it); elsewhere through an MSAA live region (readers that follow live regions speak its
// changes). Never both for one result, or a reader that follows both says it twice. Either
// comes from a window of one pixel in the window's corner, shown but drawing nothing, which
// takes no clicks and no focus: some readers skip what is hidden or has no size.
class ResultAnnouncerWin32 {
 public:
  enum class Route { UiaNotification, LiveRegion };

  // Cheap: the route is chosen and its window made by Prepare, once the window shows.
  ResultAnnouncerWin32(HWND window, HINSTANCE instance);
  ResultAnnouncerWin32(const ResultAnnouncerWin32&) = delete;
  ResultAnnouncerWin32& operator=(const ResultAnnouncerWin32&) = delete;
  ~ResultAnnouncerWin32();

  // Loads what the route needs (UI Automation's DLL, or COM's annotation service) and makes the
  // window the announcements come from; nothing the second time.
  void Prepare();
  // Prepares first where that was not done yet.
  void Announce(std::u16string_view message);
  // The window the announcements come from.
  [[nodiscard]] HWND Region() const { return region_; }

 private:
  static LRESULT CALLBACK NotifierProcedure(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam);

  HWND window_;
  HINSTANCE instance_;
  bool prepared_ = false;
  std::unique_ptr<UiaNotificationsWin32> uia_;
  HWND region_ = nullptr;
};

}  // namespace zentavo
