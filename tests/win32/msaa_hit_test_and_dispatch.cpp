#include "msaa_hit_test_and_dispatch.h"

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "accessibility_table.h"
#include "control_names.h"
#include "focus_order.h"
#include "utf8_text.h"

namespace zentavo::testing_support {
namespace {

// MinGW-w64's import library spells the identifier so that wine's oleacc does not know it.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::u16string Taken(BSTR text) {
  std::u16string read;
  if (text != nullptr) read.assign(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
  SysFreeString(text);
  return read;
}

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

IAccessible* ObjectOf(HWND window) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                             reinterpret_cast<void**>(&object));
  return object;
}

// The name of what the window's object finds at `at`, on the screen.
std::u16string NameAt(IAccessible* window_object, POINT at) {
  VARIANT found{};
  if (FAILED(window_object->accHitTest(at.x, at.y, &found))) return u"(hit test failed)";
  BSTR name = nullptr;
  if (found.vt == VT_DISPATCH && found.pdispVal != nullptr) {
    IAccessible* part = nullptr;
    found.pdispVal->QueryInterface(kIAccessible, reinterpret_cast<void**>(&part));
    if (part != nullptr) {
      part->get_accName(Self(), &name);
      part->Release();
    }
  } else if (found.vt == VT_I4) {
    window_object->get_accName(found, &name);
  }
  VariantClear(&found);
  return Taken(name);
}

// What a control is called: a box by its prompt, the button by its caption.
std::u16string NameOfControl(HWND control, std::string_view name) {
  if (name != control_names::kExitButton)
    return std::u16string(accessibility::AccessibleName(name));
  wchar_t caption[64]{};
  GetWindowTextW(control, caption, 64);
  return std::u16string(reinterpret_cast<const char16_t*>(caption));
}

// The text box or button `name` of `window`: the window stacks its boxes and button in the focus
// order, whatever else it holds.
HWND ControlOf(HWND window, std::string_view name) {
  const std::vector<HWND> controls = ChildWindowsOf(window, {L"Edit", L"Button"});
  const auto order = FocusOrder();
  for (std::size_t i = 0; i < order.size() && i < controls.size(); ++i) {
    if (order[i] == name) return controls[i];
  }
  return nullptr;
}

// `member` read through IDispatch, as a script reads it; with no `child` at all where it is
// nullptr, as a script that leaves the optional child out calls it.
std::u16string Invoked(IAccessible* object, DISPID member, VARIANT* child) {
  DISPPARAMS parameters{child, nullptr, child != nullptr ? 1U : 0U, 0};
  VARIANT result{};
  const HRESULT answer = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                        &parameters, &result, nullptr, nullptr);
  if (FAILED(answer)) {
    char failure[48];
    std::snprintf(failure, sizeof(failure), "(Invoke failed: 0x%08lX)",
                  static_cast<unsigned long>(answer));
    return std::u16string(failure, failure + std::char_traits<char>::length(failure));
  }
  std::u16string read = result.vt == VT_BSTR ? Taken(result.bstrVal) : u"";
  if (result.vt != VT_BSTR) VariantClear(&result);
  return read;
}

}  // namespace

std::vector<HWND> ChildWindowsOf(HWND window, std::initializer_list<const wchar_t*> classes) {
  struct Search {
    std::initializer_list<const wchar_t*> classes;
    std::vector<HWND> found;
  } search{classes, {}};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM into) -> BOOL {
        auto* search = reinterpret_cast<Search*>(into);
        wchar_t class_name[16]{};
        RealGetWindowClassW(child, class_name, 16);  // as readers ask, through subclassing
        for (const wchar_t* wanted : search->classes) {
          if (lstrcmpiW(class_name, wanted) == 0) search->found.push_back(child);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int CheckHitTesting(HWND window) {
  int faults = 0;
  IAccessible* window_object = ObjectOf(window);
  if (window_object == nullptr) {
    std::printf("FAULT: the window has no accessible object\n");
    return 1;
  }
  for (const std::string_view name : FocusOrder()) {
    const HWND control = ControlOf(window, name);
    RECT place{};
    GetWindowRect(control, &place);
    const LONG middle_x = (place.left + place.right) / 2;
    const std::vector<std::pair<const char*, LONG>> heights = {
        {"top", place.top + 1},
        {"middle", (place.top + place.bottom) / 2},
        {"bottom", place.bottom - 2}};
    const std::u16string wanted = NameOfControl(control, name);
    for (const auto& [where, y] : heights) {
      const std::u16string found = NameAt(window_object, {middle_x, y});
      std::printf("hit test at the %s of %s: \"%s\"\n", where, std::string(name).c_str(),
                  Utf8(found).c_str());
      if (found != wanted) {
        std::printf("  FAULT: expected \"%s\"\n", Utf8(wanted).c_str());
        ++faults;
      }
    }
  }
  window_object->Release();
  return faults;
}

int CheckLateBoundReading(HWND window) {
  int faults = 0;
  for (const std::string_view name : FocusOrder()) {
    IAccessible* object = ObjectOf(ControlOf(window, name));
    if (object == nullptr) {
      std::printf("FAULT: %s has no accessible object\n", std::string(name).c_str());
      ++faults;
      continue;
    }
    BSTR name_by_vtable = nullptr;
    BSTR description_by_vtable = nullptr;
    object->get_accName(Self(), &name_by_vtable);
    object->get_accDescription(Self(), &description_by_vtable);
    VARIANT self = Self();
    VARIANT empty{};
    VARIANT short_zero{};
    short_zero.vt = VT_I2;
    short_zero.iVal = 0;
    BSTR name_by_short_zero = nullptr;
    object->get_accName(short_zero, &name_by_short_zero);
    const std::u16string name_wanted = Taken(name_by_vtable);
    const std::pair<const char*, std::pair<std::u16string, std::u16string>> read[] = {
        {"name by Invoke", {Invoked(object, DISPID_ACC_NAME, &self), name_wanted}},
        {"description by Invoke",
         {Invoked(object, DISPID_ACC_DESCRIPTION, &self), Taken(description_by_vtable)}},
        {"name by Invoke, the child left out",
         {Invoked(object, DISPID_ACC_NAME, nullptr), name_wanted}},
        {"name by Invoke, the child empty",
         {Invoked(object, DISPID_ACC_NAME, &empty), name_wanted}},
        {"name by get_accName, the child a 16-bit 0", {Taken(name_by_short_zero), name_wanted}},
    };
    for (const auto& [what, both] : read) {
      std::printf("%s %s: \"%s\"\n", std::string(name).c_str(), what, Utf8(both.first).c_str());
      if (both.first != both.second) {
        std::printf("  FAULT: the vtable says \"%s\"\n", Utf8(both.second).c_str());
        ++faults;
      }
    }
    object->Release();
  }
  return faults;
}

}  // namespace zentavo::testing_support
