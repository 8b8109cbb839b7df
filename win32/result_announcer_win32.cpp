#include "result_announcer_win32.h"

#include <oleacc.h>

#include <string>

#include "system_com.h"
#include "uia_notifications_win32.h"
#include "window_text.h"

namespace zentavo {
namespace {

constexpr wchar_t kNotifierClass[] = L"ZentavoResultNotifier";
constexpr DWORD kOnePixelChild = WS_CHILD | WS_VISIBLE;

// UI Automation's LiveSetting property, which oleacc's headers do not name.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

// Screen readers on Windows read a live region's changes as they come, without the focus moving
// (Microsoft's "LiveSetting" property, set through dynamic annotation). Where the annotation
// service is missing, as under wine, the region still raises its events.
void MarkAsPoliteLiveRegion(HWND region) {
  IAccPropServices* services = nullptr;
  if (FAILED(system_com::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IAccPropServices,
                                          reinterpret_cast<void**>(&services)))) {
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
    : window_(window), instance_(instance) {}

void ResultAnnouncerWin32::Prepare() {
  if (prepared_) return;
  prepared_ = true;
  HWND window = window_;
  HINSTANCE instance = instance_;
  uia_ = UiaNotificationsWin32::IfAvailable();
  if (uia_) {
    // A window of its own class, so that its provider is the only UI Automation element it has.
    WNDCLASSEXW notifier{};
    notifier.cbSize = sizeof(notifier);
    notifier.lpfnWndProc = &NotifierProcedure;
    notifier.hInstance = instance;
    notifier.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    notifier.lpszClassName = kNotifierClass;
    RegisterClassExW(&notifier);  // fails harmlessly when a second window registers again
    region_ = CreateWindowExW(WS_EX_TRANSPARENT, kNotifierClass, L"", kOnePixelChild, 0, 0, 1, 1,
                              window, nullptr, instance, this);
    if (region_ != nullptr) uia_->RaiseFrom(region_);
  } else {
    // A static, drawn in the window's own colours (see Form1Win32's WM_CTLCOLORSTATIC), with no
    // UI Automation provider: NVDA drops the MSAA events of a window that has one.
    region_ =
        CreateWindowExW(WS_EX_TRANSPARENT, L"STATIC", L"", kOnePixelChild | SS_LEFT | SS_NOPREFIX,
                        0, 0, 1, 1, window, nullptr, instance, nullptr);
    if (region_ != nullptr) MarkAsPoliteLiveRegion(region_);
  }
}

ResultAnnouncerWin32::~ResultAnnouncerWin32() {
  if (!IsWindow(region_)) return;
  SetWindowLongPtrW(region_, GWLP_USERDATA, 0);
  if (uia_) uia_->Disconnect(region_);
}

LRESULT CALLBACK ResultAnnouncerWin32::NotifierProcedure(HWND window, UINT message, WPARAM wparam,
                                                         LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  } else if (message == WM_GETOBJECT) {
    const auto* announcer =
        reinterpret_cast<const ResultAnnouncerWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (announcer != nullptr && announcer->uia_) {
      if (const LRESULT answer = announcer->uia_->AnswerObjectRequest(window, wparam, lparam)) {
        return answer;
      }
    }
  } else if (message == WM_DESTROY) {
    const auto* announcer =
        reinterpret_cast<const ResultAnnouncerWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (announcer != nullptr && announcer->uia_) announcer->uia_->Disconnect(window);
  } else if (message == WM_NCHITTEST) {
    return HTTRANSPARENT;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void ResultAnnouncerWin32::Announce(std::u16string_view message) {
  Prepare();
  if (region_ == nullptr) return;
  if (uia_) {
    uia_->Notify(message);
    return;
  }
  const std::u16string text(message);
  SetWindowTextW(region_, Wide(text));
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, region_, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, region_, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace zentavo
