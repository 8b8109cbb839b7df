#include "edit_box_from_outside.h"

#include <oleacc.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "user_input.h"
#include "utf8_text.h"

namespace zentavo::testing_support {

std::u16string TextOf(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::u16string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, u'\0');
  const LRESULT read =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
  return text;
}

namespace {

int Check(const char* what, long read, long wanted) {
  std::printf("%s: %ld\n", what, read);
  if (read == wanted) return 0;
  std::printf("  FAULT: expected %ld\n", wanted);
  return 1;
}

int CheckText(const char* what, const std::u16string& read, const std::u16string& wanted) {
  std::printf("%s: \"%s\"\n", what, Utf8(read).c_str());
  if (read == wanted) return 0;
  std::printf("  FAULT: expected \"%s\"\n", Utf8(wanted).c_str());
  return 1;
}

// MinGW-w64's import library spells the identifier so that wine's oleacc does not know it.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

}  // namespace

std::u16string PutValue(HWND box, const std::u16string& text) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                             reinterpret_cast<void**>(&object));
  if (object == nullptr) return u"(no accessible object)";
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR value = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                 static_cast<UINT>(text.size()));
  const HRESULT answer = object->put_accValue(self, value);
  SysFreeString(value);
  object->Release();
  if (answer == S_OK) return u"S_OK";
  char code[16];
  std::snprintf(code, sizeof(code), "0x%08lX", static_cast<unsigned long>(answer));
  return std::u16string(code, code + std::char_traits<char>::length(code));
}

namespace {}  // namespace

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
  faults +=
      Check("places on the line that EM_POSFROMCHAR and EM_CHARFROMPOS agree on", agreeing, caret);
  return faults;
}

int CheckValueSetFromOutside(HWND box, HWND shown_in) {
  int faults = 0;
  const std::u16string before = TextOf(box);
  faults += CheckText("put_accValue \"65\"", PutValue(box, u"65"), u"S_OK");
  Within20Seconds([&] { return TextOf(shown_in) == u"A"; });
  faults += CheckText("  the box", TextOf(box), u"65");
  faults += CheckText("  the row's other box", TextOf(shown_in), u"A");
  Press({VK_CONTROL, 'Z'});
  Within20Seconds([&] { return TextOf(box) == before; });
  faults += CheckText("Ctrl+Z", TextOf(box), before);
  faults += CheckText("put_accValue \"日本\"", PutValue(box, u"\u65E5\u672C"), u"0x80070057");
  faults += CheckText("  the box", TextOf(box), before);
  return faults;
}

int CheckHostileMessages(HWND box) {
  int faults = 0;
  const std::u16string before = TextOf(box);
  const WPARAM negative = static_cast<WPARAM>(-1);
  const WPARAM far_below = static_cast<WPARAM>(INTPTR_MIN);
  const struct {
    const char* what;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
  } sent[] = {
      {"EM_POSFROMCHAR -1", EM_POSFROMCHAR, negative, 0},
      {"EM_POSFROMCHAR, the lowest 64-bit index", EM_POSFROMCHAR, far_below, 0},
      {"EM_POSFROMCHAR past the end", EM_POSFROMCHAR, 1'000'000, 0},
      {"EM_CHARFROMPOS far outside", EM_CHARFROMPOS, 0, MAKELPARAM(0x8000, 0x8000)},
      {"EM_LINEINDEX -7", EM_LINEINDEX, static_cast<WPARAM>(-7), 0},
      {"EM_LINELENGTH, the lowest 64-bit index", EM_LINELENGTH, far_below, 0},
      {"EM_LINEFROMCHAR -3", EM_LINEFROMCHAR, static_cast<WPARAM>(-3), 0},
      {"EM_SETSEL -5 to past the end", EM_SETSEL, static_cast<WPARAM>(-5), 1'000'000},
      {"EM_SETSEL, the lowest 64-bit indexes", EM_SETSEL, far_below, INTPTR_MIN},
  };
  for (const auto& message : sent) {
    const LRESULT answer = SendMessageW(box, message.message, message.wparam, message.lparam);
    std::printf("%s: answered %lld\n", message.what, static_cast<long long>(answer));
  }
  // Buffers of 0 and 2 characters, with room after them that must stay as it was.
  for (const WPARAM room : {WPARAM{0}, WPARAM{2}}) {
    std::vector<wchar_t> buffer(16, L'#');
    const LRESULT read =
        SendMessageW(box, WM_GETTEXT, room, reinterpret_cast<LPARAM>(buffer.data()));
    std::size_t untouched = 0;
    for (std::size_t i = room; i < buffer.size(); ++i) untouched += buffer[i] == L'#' ? 1 : 0;
    std::printf("WM_GETTEXT into %zu characters: read %lld\n", static_cast<std::size_t>(room),
                static_cast<long long>(read));
    faults += Check("  characters past the buffer left as they were", static_cast<long>(untouched),
                    static_cast<long>(buffer.size() - room));
  }
  for (const WORD room : {WORD{0}, WORD{1}}) {
    std::vector<wchar_t> buffer(16, L'#');
    buffer[0] = static_cast<wchar_t>(room);  // EM_GETLINE reads the room from the first word
    const LRESULT read = SendMessageW(box, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer.data()));
    std::size_t untouched = 0;
    for (std::size_t i = room > 0 ? room : 1; i < buffer.size(); ++i) {
      untouched += buffer[i] == L'#' ? 1 : 0;
    }
    std::printf("EM_GETLINE into %u characters: read %lld\n", room, static_cast<long long>(read));
    faults += Check("  characters past the buffer left as they were", static_cast<long>(untouched),
                    static_cast<long>(buffer.size() - (room > 0 ? room : 1)));
  }
  faults += Check("the box is still there", IsWindow(box) ? 1 : 0, 1);
  faults += CheckText("its text", TextOf(box), before);
  return faults;
}

int CheckCutWhileClipboardIsHeld(HWND box) {
  int faults = 0;
  const std::u16string before = TextOf(box);
  if (!OpenClipboard(nullptr)) {
    std::printf("FAULT: the client could not open the clipboard\n");
    return 1;
  }
  const auto caret_at = [box](DWORD place) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == place && end == place;
  };
  Press({VK_HOME});
  Within20Seconds([&] { return caret_at(0); });
  Press({VK_CONTROL, 'A'});
  Press({VK_CONTROL, 'X'});
  Press({VK_END});  // taken after Ctrl+X: once the caret is at the end, the cut has been tried
  const auto length = static_cast<DWORD>(before.size());
  Within20Seconds([&] { return caret_at(length); });
  CloseClipboard();
  faults += Check("Ctrl+X with the clipboard held open: characters left in the box",
                  static_cast<long>(TextOf(box).size()), static_cast<long>(before.size()));
  const std::u16string after = TextOf(box);
  faults += Check("  the same text", after == before ? 1 : 0, 1);
  if (after != before) std::printf("  it begins \"%s\"\n", Utf8(after.substr(0, 12)).c_str());
  return faults;
}

}  // namespace zentavo::testing_support
