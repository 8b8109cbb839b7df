// Zentavo.exe: builds the window, binds its three notifications and runs the message loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "form1_win32.h"
#include "notification_bindings_win32.h"
#include "system_com.h"
#include "system_libraries.h"

namespace {

// COM for the thread, for the screen-reader annotation of the window's live region: entered
// once the window shows, which needs none of it, and left only after the window is gone.
class ComApartment {
 public:
  ComApartment() = default;
  void Enter() {
    entered_ = SUCCEEDED(zentavo::system_com::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (entered_) zentavo::system_com::CoUninitialize();
  }

 private:
  bool entered_ = false;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show_command) {
  zentavo::SearchSystemFolderOnly();
  ComApartment com;
  const INITCOMMONCONTROLSEX common_controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common_controls);

  zentavo::Form1Win32 form(instance);
  zentavo::BindNotifications(form);
  form.Show(show_command);
  com.Enter();

  MSG message{};
  BOOL got = FALSE;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    if (!form.TakeDialogMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return got < 0 ? EXIT_FAILURE : static_cast<int>(message.wParam);
}
