#include "result_announcer_win32.h"

#include <oleacc.h>

#include <string>

#include "window_text.h"

namespace zentavo {
namespace {

// UI Automation's LiveSetting property, which oleacc's headers do not name.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

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

}  // namespace

ResultAnnouncerWin32::ResultAnnouncerWin32(HWND window, HINSTANCE instance)
    : region_(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                              0, 0, 0, window, nullptr, instance, nullptr)) {
  if (region_ != nullptr) MarkAsPoliteLiveRegion(region_);
}

void ResultAnnouncerWin32::Announce(std::u16string_view message) {
  if (region_ == nullptr) return;
  const std::u16string text(message);
  SetWindowTextW(region_, Wide(text));
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, region_, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, region_, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace zentavo
