// Reads the running Zentavo.exe as a Windows screen reader does, through MSAA from another
// process: the window's children in reading order, each box's name, description and value, and
// the event a result raises while the focus stays in txtDeASCII; then edits as a user does, with
// keys and the context menu, and reads the boxes after each undo and redo. Prints what it read;
// exits 1 when anything differs from what the Qt window says.
//   msaa_client.exe
#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "accessibility_table.h"
#include "character_description.h"
#include "character_details.h"
#include "code_pages_here_win32.h"
#include "control_names.h"
#include "edit_box_from_outside.h"
#include "finder_from_outside.h"
#include "focus_order.h"
#include "keyboard_here_win32.h"
#include "layout_table.h"
#include "msaa_hit_test_and_dispatch.h"
#include "row_text.h"
#include "user_input.h"
#include "utf8_text.h"

namespace {

// MinGW-w64's import library spells the identifier so that wine's oleacc does not know it.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

int faults = 0;

using zentavo::testing_support::CheckCutWhileClipboardIsHeld;
using zentavo::testing_support::CheckFinder;
using zentavo::testing_support::CheckHitTesting;
using zentavo::testing_support::CheckHostileMessages;
using zentavo::testing_support::CheckLateBoundReading;
using zentavo::testing_support::CheckReadAsAnEditControl;
using zentavo::testing_support::CheckValueSetFromOutside;
using zentavo::testing_support::ChildWindowsOf;
using zentavo::testing_support::Keys;
using zentavo::testing_support::Press;
using zentavo::testing_support::PutOnClipboard;
using zentavo::testing_support::Type;
using zentavo::testing_support::Utf8;
using zentavo::testing_support::Within20Seconds;

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

// What the window's object gives as its children, each as role and name.
std::vector<std::pair<LONG, std::u16string>> ChildrenOf(HWND window) {
  std::vector<std::pair<LONG, std::u16string>> read;
  IAccessible* parent = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                        reinterpret_cast<void**>(&parent))) ||
      parent == nullptr) {
    return read;
  }
  LONG count = 0;
  parent->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  LONG obtained = 0;
  AccessibleChildren(parent, 0, count, children.data(), &obtained);
  for (LONG i = 0; i < obtained; ++i) {
    VARIANT& child = children[static_cast<std::size_t>(i)];
    IAccessible* object = parent;
    VARIANT which{};
    which.vt = VT_I4;
    which.lVal = CHILDID_SELF;
    if (child.vt == VT_DISPATCH) {
      object = nullptr;
      child.pdispVal->QueryInterface(kIAccessible, reinterpret_cast<void**>(&object));
    } else {
      which = child;
    }
    VARIANT role{};
    BSTR name = nullptr;
    if (object != nullptr) {
      object->get_accRole(which, &role);
      object->get_accName(which, &name);
    }
    read.emplace_back(role.vt == VT_I4 ? role.lVal : 0,
                      name != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(name),
                                                       SysStringLen(name))
                                      : std::u16string());
    SysFreeString(name);
    if (object != nullptr && object != parent) object->Release();
    VariantClear(&child);
  }
  parent->Release();
  return read;
}

// What the Qt window reads for the part `name`: a label's words, a box's prompt, the button's
// caption.
std::pair<LONG, std::u16string> ExpectedChild(std::string_view name) {
  using namespace zentavo;
  if (name == control_names::kExitButton) {
    for (const layout::ControlRecord& record : layout::kLayoutTable.controls) {
      if (record.name == name) return {ROLE_SYSTEM_PUSHBUTTON, std::u16string(record.text)};
    }
  }
  if (accessibility::RowOfBox(name) != nullptr) {
    return {ROLE_SYSTEM_TEXT, std::u16string(accessibility::AccessibleName(name))};
  }
  return {ROLE_SYSTEM_STATICTEXT, std::u16string(accessibility::LabelWords(name))};
}

std::string Shortened(const std::u16string& text) {
  if (text.size() <= 40) return Utf8(text);
  return Utf8(text.substr(0, 12)) + "... (" + std::to_string(text.size()) + " characters)";
}

// One thing a user does, and what the box it acts on then holds; and, where given, what the
// row's other box holds once it does.
struct EditStep {
  const char* what;
  std::function<void()> action;
  HWND box;
  std::u16string wanted;
  HWND other_box = nullptr;
  std::u16string other_wanted = {};
};

void ExpectEach(const std::vector<EditStep>& steps) {
  for (const EditStep& step : steps) {
    step.action();
    std::u16string read;
    const bool reached = Within20Seconds([&] {
      read = ReadOfWindow(step.box, Property::Value);
      return read == step.wanted;
    });
    std::printf("%s: \"%s\"\n", step.what, Shortened(read).c_str());
    if (!reached) {
      std::printf("  FAULT: expected \"%s\"\n", Shortened(step.wanted).c_str());
      ++faults;
    }
    if (step.other_box != nullptr) {
      Expect("  and the row's other box", ReadOfWindow(step.other_box, Property::Value),
             step.other_wanted);
    }
  }
}

bool MenuIsOpen() {
  const HWND menu = FindWindowW(L"#32768", nullptr);
  return menu != nullptr && IsWindowVisible(menu);
}

// Opens the focused box's context menu from the keyboard and chooses the item `mnemonic`.
void ChooseFromContextMenu(WORD mnemonic) {
  Press({VK_APPS});
  if (!Within20Seconds(MenuIsOpen)) {
    std::printf("FAULT: the context menu did not open\n");
    ++faults;
    return;
  }
  Press({mnemonic});
  Within20Seconds([] { return !MenuIsOpen(); });
}

}  // namespace

// Whether wine's trace at `trace` shows UI Automation raising a notification of `text`: where no
// client can hear one under wine, the program's own trace is what tells it was raised.
bool TraceHolds(const char* trace, const std::u16string& text) {
  std::ifstream file(trace, std::ios::binary);
  const std::string read((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return read.find("UiaRaiseNotificationEvent") != std::string::npos &&
         read.find("L\"" + Utf8(text) + "\"") != std::string::npos;
}

HWND ZentavoWindow() {
  HWND window = nullptr;
  for (int tries = 0; window == nullptr && tries < 200; ++tries) {
    window = FindWindowW(L"ZentavoForm1", nullptr);
    if (window == nullptr) Sleep(100);
  }
  return window;
}

// msaa_client --describe CODE...: each code set as txtDeASCII's value, and the description a
// reader then reads of txtParaCar, a line each: what this PC's code pages make of the details.
int DescribeCodes(const std::vector<HWND>& boxes, int count, char** codes) {
  std::printf("this PC: DOS %u, Windows %u\n", GetOEMCP(), GetACP());
  for (int i = 0; i < count; ++i) {
    const std::string code = codes[i];
    if (zentavo::testing_support::PutValue(boxes[0], std::u16string(code.begin(), code.end())) !=
        u"S_OK")
      return 1;
    std::printf("%s\t%s\n", code.c_str(),
                Utf8(ReadOfWindow(boxes[1], Property::Description)).c_str());
  }
  return 0;
}

int main(int argc, char** argv) {
  // The trace of Zentavo.exe's UI Automation calls, where the test gives one.
  const char* trace = argc > 1 && argv[1][0] != '\0' ? argv[1] : nullptr;
  using zentavo::accessibility::AccessibleName;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HWND window = ZentavoWindow();
  if (window == nullptr) {
    std::printf("FAULT: no Zentavo window within 20 s\n");
    return 1;
  }
  // The four boxes in tab order, which the window stacks them in.
  const std::vector<HWND> boxes = ChildWindowsOf(window, {L"Edit"});
  const auto order = zentavo::FocusOrder();
  if (boxes.size() != 4) {
    std::printf("FAULT: %zu edit boxes, not 4\n", boxes.size());
    return 1;
  }
  if (trace != nullptr && std::string_view(trace) == "--describe") {
    return DescribeCodes(boxes, argc - 2, argv + 2);
  }
  std::printf("-- the window's children in reading order\n");
  const auto children = ChildrenOf(window);
  const auto& reading_order = zentavo::accessibility::kReadingOrder;
  for (std::size_t i = 0; i < std::max(children.size(), reading_order.size()); ++i) {
    const auto read = i < children.size() ? children[i] : std::pair<LONG, std::u16string>{};
    std::printf("%2zu role %ld: \"%s\"\n", i + 1, static_cast<long>(read.first),
                Utf8(read.second).c_str());
    if (i >= reading_order.size() || read != ExpectedChild(reading_order[i])) {
      const auto wanted = i < reading_order.size() ? ExpectedChild(reading_order[i])
                                                   : std::pair<LONG, std::u16string>{};
      std::printf("  FAULT: expected role %ld: \"%s\"\n", static_cast<long>(wanted.first),
                  Utf8(wanted.second).c_str());
      ++faults;
    }
  }

  std::printf("-- before typing\n");
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const std::string name(order[i]);
    Expect((name + " name").c_str(), ReadOfWindow(boxes[i], Property::Name),
           std::u16string(AccessibleName(order[i])));
    Expect((name + " description").c_str(), ReadOfWindow(boxes[i], Property::Description),
           zentavo::RowTextFor(*zentavo::accessibility::RowOfBox(order[i]), u"",
                               &zentavo::CodePagesHere)
               .description);
  }

  faults += CheckHitTesting(window);
  faults += CheckLateBoundReading(window);

  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &process);
  // The program announces through UI Automation where the system has its notification event,
  // and through an MSAA live region only where it has not: never both.
  const bool through_uia =
      GetProcAddress(LoadLibraryW(L"uiautomationcore.dll"), "UiaRaiseNotificationEvent") != nullptr;
  std::printf("-- the route announcements take: %s\n",
              through_uia ? "UI Automation notifications" : "an MSAA live region");
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, &Hear,
                      process, 0, WINEVENT_OUTOFCONTEXT);
  const struct {
    const char* what;
    std::function<void()> action;
    std::u16string announced;
    std::u16string shown;  // in txtParaCar once it is done
  } results[] = {
      {"typing 150 into txtDeASCII", [] { Type(L"150"); }, u"EN DASH", u"\u2013"},
      {"Up: a step is heard with its code", Keys({VK_UP}), u"151, EM DASH", u"\u2014"},
      {"Down: back to 150", Keys({VK_DOWN}), u"150, EN DASH", u"\u2013"},
  };
  for (const auto& result : results) {
    std::printf("-- %s\n", result.what);
    heard.clear();
    result.action();
    HWND focus_then = nullptr;
    HWND region = nullptr;
    const bool done = Within20Seconds([&] {
      if (ReadOfWindow(boxes[1], Property::Value) != result.shown) return false;
      if (through_uia) return true;
      for (const Heard& each : heard) {
        if (each.event == EVENT_OBJECT_LIVEREGIONCHANGED && each.name == result.announced) {
          GUITHREADINFO info{};
          info.cbSize = sizeof(info);
          GetGUIThreadInfo(thread, &info);
          focus_then = info.hwndFocus;
          region = each.window;
          return true;
        }
      }
      return false;
    });
    for (const Heard& each : heard) {
      std::printf("  event 0x%04lX: \"%s\"\n", static_cast<unsigned long>(each.event),
                  Utf8(each.name).c_str());
    }
    if (!done) {
      std::printf("  FAULT: expected \"%s\" %s\n", Utf8(result.announced).c_str(),
                  through_uia ? "shown" : "announced by a live-region event");
      ++faults;
    }
    if (through_uia) {
      for (const Heard& each : heard) {
        if (each.event != EVENT_OBJECT_LIVEREGIONCHANGED) continue;
        std::printf("  FAULT: a live-region event as well, which a reader would speak twice\n");
        ++faults;
      }
      continue;
    }
    RECT place{};
    GetWindowRect(region, &place);
    std::printf("  from a window of %ldx%ld, %s\n", place.right - place.left,
                place.bottom - place.top, IsWindowVisible(region) ? "shown" : "hidden");
    if (place.right - place.left < 1 || place.bottom - place.top < 1 || !IsWindowVisible(region)) {
      std::printf("  FAULT: some readers skip a live region that is hidden or has no size\n");
      ++faults;
    }
    if (focus_then != boxes[0]) {
      std::printf("  FAULT: the focus was not in txtDeASCII when the result was announced\n");
      ++faults;
    }
  }
  UnhookWinEvent(hook);
  std::printf("-- after typing\n");
  Expect("txtDeASCII value", ReadOfWindow(boxes[0], Property::Value), u"150");
  Expect("txtParaCar value", ReadOfWindow(boxes[1], Property::Value), u"\u2013");
  for (std::size_t i = 0; i < 2; ++i) {
    Expect((std::string(order[i]) + " description").c_str(),
           ReadOfWindow(boxes[i], Property::Description),
           zentavo::DescribeForSpeech(150, zentavo::CodePagesHere(), zentavo::KeyboardWaysHere()));
  }

  std::printf("-- txtDeASCII read as an edit control from another process\n");
  faults += CheckReadAsAnEditControl(boxes[0], thread, u"150");
  std::printf("-- txtDeASCII set from outside\n");
  faults += CheckValueSetFromOutside(boxes[0], boxes[1]);
  std::printf("-- txtDeASCII sent indexes out of range and buffers too small\n");
  faults += CheckHostileMessages(boxes[0]);

  std::printf("-- undo and redo of a paste in txtDeASCII\n");
  PutOnClipboard(u"&H41");
  const auto ctrl_a_ctrl_v = [] {
    Press({VK_CONTROL, 'A'});
    Press({VK_CONTROL, 'V'});
  };
  // The undo selects again what the paste replaced, so 6 replaces it; nothing is left to redo.
  const auto undo_then_6 = [] {
    Press({VK_CONTROL, 'Z'});
    Type(L"6");
  };
  // The 7 comes after Ctrl+Y has been taken: a redo would have put the paste back before it.
  const auto ctrl_y_then_7 = [] {
    Press({VK_CONTROL, 'Y'});
    Type(L"7");
  };
  ExpectEach({
      {"Ctrl+A, Ctrl+V", ctrl_a_ctrl_v, boxes[0], u"&H41", boxes[1], u"A"},
      {"Ctrl+Z", Keys({VK_CONTROL, 'Z'}), boxes[0], u"150", boxes[1], u"\u2013"},
      {"Ctrl+Y", Keys({VK_CONTROL, 'Y'}), boxes[0], u"&H41"},
      {"Ctrl+Z", Keys({VK_CONTROL, 'Z'}), boxes[0], u"150"},
      {"Ctrl+Shift+Z", Keys({VK_CONTROL, VK_SHIFT, 'Z'}), boxes[0], u"&H41"},
      {"Undo from the context menu", [] { ChooseFromContextMenu('U'); }, boxes[0], u"150"},
      {"Redo from the context menu", [] { ChooseFromContextMenu('R'); }, boxes[0], u"&H41"},
      {"Ctrl+Z, then typing 6", undo_then_6, boxes[0], u"6"},
      {"Ctrl+Y, then 7: nothing was left to redo", ctrl_y_then_7, boxes[0], u"67"},
  });

  std::printf("-- the character finder\n");
  const HWINEVENTHOOK finder_hook =
      SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, &Hear,
                      process, 0, WINEVENT_OUTOFCONTEXT);
  heard.clear();
  faults += CheckFinder(boxes[0], boxes[1], [through_uia, trace](const std::u16string& text) {
    if (through_uia) return trace == nullptr || TraceHolds(trace, text);
    return std::any_of(heard.begin(), heard.end(), [&](const Heard& each) {
      return each.event == EVENT_OBJECT_LIVEREGIONCHANGED && each.name == text;
    });
  });
  UnhookWinEvent(finder_hook);

  std::printf("-- a paste of 100 000 characters in txtDeCar is one step\n");
  Press({VK_TAB});
  Press({VK_TAB});
  std::u16string long_text(100'000, u'x');
  long_text.front() = u'\u00E9';
  PutOnClipboard(long_text);
  ExpectEach({
      {"Ctrl+V", Keys({VK_CONTROL, 'V'}), boxes[2], long_text, boxes[3], u"233"},
      {"Ctrl+Z", Keys({VK_CONTROL, 'Z'}), boxes[2], u""},
      {"Ctrl+Y", Keys({VK_CONTROL, 'Y'}), boxes[2], long_text},
  });
  std::printf("-- a cut while another program holds the clipboard open\n");
  faults += CheckCutWhileClipboardIsHeld(boxes[2]);

  std::printf(faults == 0 ? "all as the Qt window says\n" : "%d faults\n", faults);
  CoUninitialize();
  return faults == 0 ? 0 : 1;
}
