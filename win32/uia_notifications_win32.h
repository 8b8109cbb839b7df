// UI Automation's notification event, which NVDA and Narrator speak whatever has the focus: the
// route Windows 10 1709 and later offer for "say this now". Every function is looked up at run
// time, so that the program still starts where UI Automation lacks it.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

namespace zentavo {

class UiaNotificationsWin32 {
 public:
  // Nothing when the system has no UiaRaiseNotificationEvent (wine 8, Windows before 10 1709).
  [[nodiscard]] static std::unique_ptr<UiaNotificationsWin32> IfAvailable();

  UiaNotificationsWin32(const UiaNotificationsWin32&) = delete;
  UiaNotificationsWin32& operator=(const UiaNotificationsWin32&) = delete;
  ~UiaNotificationsWin32();

  // Makes `window` the element the notifications come from: its WM_GETOBJECT for
  // UiaRootObjectId is to be answered by AnswerObjectRequest.
  void RaiseFrom(HWND window);
  // The answer to WM_GETOBJECT; zero for any object other than UI Automation's root.
  [[nodiscard]] LRESULT AnswerObjectRequest(HWND window, WPARAM wparam, LPARAM lparam) const;
  // Tells UI Automation that `window`, going away, serves no provider any more.
  void Disconnect(HWND window) const;
  // Raises `message` as a notification that replaces any earlier one not yet spoken.
  void Notify(std::u16string_view message) const;

  struct Functions;

 private:
  explicit UiaNotificationsWin32(std::unique_ptr<Functions> functions);

  std::unique_ptr<Functions> functions_;
  struct Provider;
  Provider* provider_ = nullptr;
};

}  // namespace zentavo
