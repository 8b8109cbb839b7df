// Reads the running Zentavo.exe as a Windows screen reader does, through MSAA from another
// process: each box's name, description and value, and the event a result raises while the
// focus stays in txtDeASCII. Prints what it read; exits 1 when anything differs from what the
// Qt window says.
//   msaa_client.exe
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "accessibility_table.h"
#include "character_details.h"
#include "control_names.h"
#include "focus_order.h"
#include "row_text.h"
#include "utf8_text.h"

namespace {

// MinGW-w64's import library spells the identifier so that wine's oleacc does not know it.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

int faults = 0;

using zentavo::testing_support::Utf8;

void Expect(const char* what, const std::u16string& read, const std::u16string& wanted) {
  std::printf("%s: \"%s\"\n", what, Utf8(read).c_str());
  if (read != wanted) {
    std::printf("  FAULT: expected \"%s\"\n", Utf8(wanted).c_str());
    ++faults;
  }
}

enum class Property { Name, Description, Value };

std::u16string Read(IAccessible* object, Property property) {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  HRESULT result = E_FAIL;
  switch (property) {
    case Property::Name:
      result = object->get_accName(self, &text);
      break;
    case Property::Description:
      result = object->get_accDescription(self, &text);
      break;
    case Property::Value:
      result = object->get_accValue(self, &text);
      break;
  }
  std::u16string read;
  if (SUCCEEDED(result) && text != nullptr) {
    read.assign(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
  }
  SysFreeString(text);
  return read;
}

std::u16string ReadOfWindow(HWND window, Property property) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                        reinterpret_cast<void**>(&object))) ||
      object == nullptr) {
    return u"(no accessible object)";
  }
  std::u16string read = Read(object, property);
  object->Release();
  return read;
}

// The four boxes in tab order, which the window stacks them in.
std::vector<HWND> BoxesOf(HWND window) {
  std::vector<HWND> boxes;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) -> BOOL {
        wchar_t class_name[16]{};
        GetClassNameW(child, class_name, 16);
        if (lstrcmpiW(class_name, L"Edit") == 0) {
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

struct Heard {
  HWND window = nullptr;
  std::u16string name;
  DWORD event = 0;
};
std::vector<Heard> heard;

void CALLBACK Hear(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child,
                   DWORD /*thread*/, DWORD /*time*/) {
  IAccessible* accessible = nullptr;
  VARIANT which{};
  if (FAILED(AccessibleObjectFromEvent(window, object, child, &accessible, &which)) ||
      accessible == nullptr) {
    return;
  }
  heard.push_back({window, Read(accessible, Property::Name), event});
  accessible->Release();
}

void Type(const wchar_t* text) {
  for (const wchar_t* character = text; *character != 0; ++character) {
    INPUT keys[2]{};
    for (INPUT& key : keys) {
      key.type = INPUT_KEYBOARD;
      key.ki.wScan = *character;
      key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
  }
}

}  // namespace

int main() {
  using zentavo::accessibility::AccessibleName;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND window = nullptr;
  for (int tries = 0; window == nullptr && tries < 200; ++tries) {
    window = FindWindowW(L"ZentavoForm1", nullptr);
    if (window == nullptr) Sleep(100);
  }
  if (window == nullptr) {
    std::printf("FAULT: no Zentavo window within 20 s\n");
    return 1;
  }
  const std::vector<HWND> boxes = BoxesOf(window);
  const auto order = zentavo::FocusOrder();
  if (boxes.size() != 4) {
    std::printf("FAULT: %zu edit boxes, not 4\n", boxes.size());
    return 1;
  }
  std::printf("-- before typing\n");
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const std::string name(order[i]);
    Expect((name + " name").c_str(), ReadOfWindow(boxes[i], Property::Name),
           std::u16string(AccessibleName(order[i])));
    Expect((name + " description").c_str(), ReadOfWindow(boxes[i], Property::Description),
           zentavo::RowTextFor(*zentavo::accessibility::RowOfBox(order[i]), u"").description);
  }

  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &process);
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, &Hear,
                      process, 0, WINEVENT_OUTOFCONTEXT);
  std::printf("-- typing 150 into txtDeASCII\n");
  Type(L"150");
  const std::u16string en_dash_name = zentavo::NameToTell(150);
  bool announced = false;
  HWND focus_then = nullptr;
  const DWORD deadline = GetTickCount() + 20'000;
  while (!announced && GetTickCount() < deadline) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    for (const Heard& each : heard) {
      if (each.event == EVENT_OBJECT_LIVEREGIONCHANGED && each.name == en_dash_name) {
        announced = true;
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(thread, &info);
        focus_then = info.hwndFocus;
      }
    }
    if (!announced) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  UnhookWinEvent(hook);
  std::printf("announced by a live-region event: %s\n", announced ? "yes" : "no");
  for (const Heard& each : heard) {
    std::printf("  event 0x%04lX: \"%s\"\n", static_cast<unsigned long>(each.event),
                Utf8(each.name).c_str());
  }
  if (!announced) ++faults;
  if (focus_then != boxes[0]) {
    std::printf("FAULT: the focus was not in txtDeASCII when the result was announced\n");
    ++faults;
  }
  std::printf("-- after typing\n");
  Expect("txtDeASCII value", ReadOfWindow(boxes[0], Property::Value), u"150");
  Expect("txtParaCar value", ReadOfWindow(boxes[1], Property::Value), u"\u2013");
  for (std::size_t i = 0; i < 2; ++i) {
    Expect((std::string(order[i]) + " description").c_str(),
           ReadOfWindow(boxes[i], Property::Description), zentavo::DescribeForSpeech(150));
  }
  std::printf(faults == 0 ? "all as the Qt window says\n" : "%d faults\n", faults);
  CoUninitialize();
  return faults == 0 ? 0 : 1;
}
