#include "edit_control_reading.h"

#include <cstdio>

#include "utf8_text.h"

namespace zentavo::testing_support {
namespace {

int Check(const char* what, long read, long wanted) {
  std::printf("%s: %ld\n", what, read);
  if (read == wanted) return 0;
  std::printf("  FAULT: expected %ld\n", wanted);
  return 1;
}

}  // namespace

int CheckReadAsAnEditControl(HWND box, DWORD thread, const std::u16string& text) {
  int faults = 0;
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(thread, &info);
  faults += Check("the system caret is in the box", info.hwndCaret == box ? 1 : 0, 1);
  faults += Check("  and blinks", (info.flags & GUI_CARETBLINKING) != 0 ? 1 : 0, 1);
  faults +=
      Check("EM_GETLINECOUNT", static_cast<long>(SendMessageW(box, EM_GETLINECOUNT, 0, 0)), 1);

  wchar_t read[64]{};
  const auto length = static_cast<long>(
      SendMessageW(box, WM_GETTEXT, std::size(read), reinterpret_cast<LPARAM>(read)));
  const std::u16string got(reinterpret_cast<const char16_t*>(read), length > 0 ? length : 0);
  std::printf("WM_GETTEXT: \"%s\"\n", Utf8(got).c_str());
  if (got != text) {
    std::printf("  FAULT: expected \"%s\"\n", Utf8(text).c_str());
    ++faults;
  }
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto caret = static_cast<long>(text.size());
  faults += Check("EM_GETSEL, start", static_cast<long>(start), caret);
  faults += Check("EM_GETSEL, end", static_cast<long>(end), caret);

  // Each character's place, and the character found at each place, agree. The EDIT has no
  // place for the index past the last character.
  int agreeing = 0;
  long previous_x = -1;
  for (long index = 0; index < caret; ++index) {
    const LRESULT place = SendMessageW(box, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    const long x = static_cast<short>(LOWORD(place));
    const LRESULT found = SendMessageW(box, EM_CHARFROMPOS, 0, place);
    if (x > previous_x && static_cast<long>(LOWORD(found)) == index) ++agreeing;
    previous_x = x;
  }
  faults += Check("places on the line that EM_POSFROMCHAR and EM_CHARFROMPOS agree on", agreeing,
                  caret);
  return faults;
}

}  // namespace zentavo::testing_support
