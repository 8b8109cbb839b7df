// Zentavo.exe: builds the window, binds its three notifications and runs the message loop.
#include <windows.h>

#include <commctrl.h>

#include "form1_win32.h"
#include "notification_bindings_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show_command) {
  const INITCOMMONCONTROLSEX common_controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common_controls);

  zentavo::Form1Win32 form(instance);
  zentavo::BindNotifications(form);
  form.Show(show_command);

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
