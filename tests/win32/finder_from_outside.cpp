#include "finder_from_outside.h"

#include <oleacc.h>

#include <cstdio>
#include <vector>

#include "character_finder_text.h"
#include "edit_box_from_outside.h"
#include "user_input.h"
#include "utf8_text.h"

namespace zentavo::testing_support {
namespace {

// MinGW-w64's import library spells the identifier so that wine's oleacc does not know it.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

int Check(const char* what, const std::u16string& read, const std::u16string& wanted) {
  std::printf("%s: \"%s\"\n", what, Utf8(read).c_str());
  if (read == wanted) return 0;
  std::printf("  FAULT: expected \"%s\"\n", Utf8(wanted).c_str());
  return 1;
}

HWND Finder() {
  const std::u16string title(kFinderTitle);
  HWND dialog = FindWindowW(L"#32770", reinterpret_cast<const wchar_t*>(title.c_str()));
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

// The names MSAA gives the list's rows, as a reader reads them.
std::vector<std::u16string> RowNames(HWND list) {
  std::vector<std::u16string> names;
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                             reinterpret_cast<void**>(&object));
  if (object == nullptr) return names;
  LONG count = 0;
  object->get_accChildCount(&count);
  for (LONG row = 1; row <= count; ++row) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = row;
    BSTR name = nullptr;
    object->get_accName(child, &name);
    names.emplace_back(name != nullptr ? reinterpret_cast<const char16_t*>(name) : u"");
    SysFreeString(name);
  }
  object->Release();
  return names;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

std::u16string ClassOf(HWND window) {
  wchar_t name[32]{};
  RealGetWindowClassW(window, name, 32);
  return reinterpret_cast<const char16_t*>(name);
}

}  // namespace

int CheckFinder(HWND code_box, HWND shown_in,
                const std::function<bool(const std::u16string&)>& announced) {
  int faults = 0;
  const std::u16string before = TextOf(code_box);
  Press({VK_CONTROL, 'F'});
  if (!Within20Seconds([] { return Finder() != nullptr; })) {
    std::printf("FAULT: Ctrl+F opened no finder\n");
    return 1;
  }
  HWND finder = Finder();
  faults += Check("Ctrl+F opens", TextOf(finder), std::u16string(kFinderTitle));
  Within20Seconds([&] { return GetParent(FocusOf(finder)) == finder; });
  faults += Check("  the focus is in its", ClassOf(FocusOf(finder)), u"Edit");
  Type(L"dash");
  HWND list = FindWindowExW(finder, nullptr, L"ListBox", nullptr);
  Within20Seconds([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 5; });
  const std::u16string counted = u"5 matches / 5 resultados: 150, EN DASH";
  faults +=
      Check("typing dash, a reader hears",
            Within20Seconds([&] { return announced(counted); }) ? counted : u"(nothing)", counted);
  const std::vector<std::u16string> rows = RowNames(list);
  const std::vector<std::u16string> wanted = {u"150, EN DASH", u"151, EM DASH",
                                              u"45, HYPHEN-MINUS, dash", u"95, LOW LINE, dash"};
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    faults += Check("  row", i < rows.size() ? rows[i] : u"(none)", wanted[i]);
  }
  Type(L" en");
  const std::u16string one = u"1 match / 1 resultado: 150, EN DASH";
  faults += Check("then \" en\"",
                  Within20Seconds([&] { return announced(one); }) ? one : u"(nothing)", one);
  Press({VK_RETURN});
  Within20Seconds([&] { return Finder() == nullptr && TextOf(shown_in) == u"\u2013"; });
  faults += Check("Enter: txtDeASCII", TextOf(code_box), u"150");
  faults += Check("  and the row's other box", TextOf(shown_in), u"\u2013");
  Press({VK_CONTROL, 'Z'});
  Within20Seconds([&] { return TextOf(code_box) == before; });
  faults += Check("Ctrl+Z", TextOf(code_box), before);

  Press({VK_CONTROL, 'F'});
  Within20Seconds([] { return Finder() != nullptr; });
  Type(L"euro");
  Within20Seconds([&] { return announced(u"1 match / 1 resultado: 128, EURO SIGN"); });
  Press({VK_ESCAPE});
  Within20Seconds([] { return Finder() == nullptr; });
  faults += Check("euro, then Esc: txtDeASCII", TextOf(code_box), before);
  return faults;
}

}  // namespace zentavo::testing_support
