// The standard MSAA object of a window, held and answered through, for the program's own
// objects to answer some questions themselves; and what those answers are made of.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <new>
#include <string_view>

#include "system_com.h"
#include "system_libraries.h"

namespace zentavo {

// MinGW-w64's import library spells the identifier so that wine's oleacc does not know it.
inline constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

inline HRESULT Answer(std::u16string_view text, BSTR* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = system_com::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                       static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// A number as IAccessible answers a role, a state or a child.
inline HRESULT AnswerNumber(LONG value, VARIANT* out) {
  if (out == nullptr) return E_POINTER;
  system_com::VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

inline VARIANT SelfChild() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// A child as Windows' own objects read it: left out (as late-bound clients leave an optional
// argument, VT_EMPTY or VT_ERROR with DISP_E_PARAMNOTFOUND) it is the object itself; a number of
// any width, or one passed by reference, is that number; anything else stays as it came.
inline VARIANT ChildId(const VARIANT& child) {
  const VARIANT* given = &child;
  if (given->vt == (VT_BYREF | VT_VARIANT) && given->pvarVal != nullptr) given = given->pvarVal;
  VARIANT read{};
  read.vt = VT_I4;
  switch (given->vt) {
    case VT_EMPTY:
      return SelfChild();
    case VT_ERROR:
      return given->scode == DISP_E_PARAMNOTFOUND ? SelfChild() : *given;
    case VT_I2:
      read.lVal = given->iVal;
      return read;
    case VT_I4:
      read.lVal = given->lVal;
      return read;
    case VT_BYREF | VT_I2:
      if (given->piVal == nullptr) return *given;
      read.lVal = *given->piVal;
      return read;
    case VT_BYREF | VT_I4:
      if (given->plVal == nullptr) return *given;
      read.lVal = *given->plVal;
      return read;
    default:
      return *given;
  }
}

inline bool IsSelf(const VARIANT& child) {
  const VARIANT id = ChildId(child);
  return id.vt == VT_I4 && id.lVal == CHILDID_SELF;
}

// IAccessible's vtable type information, from the accessibility type library that oleacc.dll
// carries, as Microsoft's dual-interface guidance has servers answer IDispatch; loaded once and
// kept for the program's life. Nullptr where no such library can be loaded.
inline ITypeInfo* AccessibleTypeInfo() {
  static ITypeInfo* const info = [] {
    constexpr GUID kLibidAccessibility = {
        0x1ea4dbf0, 0x3c3b, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    ITypeLib* library = nullptr;
    // Where it is not registered, System32's own copy: a bare name would be searched for in the
    // program's folder first.
    wchar_t system_copy[MAX_PATH + 16]{};
    const UINT folder = GetSystemDirectoryW(system_copy, MAX_PATH);
    if (folder == 0 || folder >= MAX_PATH) return static_cast<ITypeInfo*>(nullptr);
    lstrcatW(system_copy, L"\\oleacc.dll");
    if (FAILED(system_com::LoadRegTypeLib(kLibidAccessibility, 1, 1, 0, &library)) &&
        FAILED(system_com::LoadTypeLib(system_copy, &library))) {
      return static_cast<ITypeInfo*>(nullptr);
    }
    ITypeInfo* described = nullptr;
    library->GetTypeInfoOfGuid(kIAccessible, &described);
    library->Release();
    if (described == nullptr) return static_cast<ITypeInfo*>(nullptr);
    // A dual interface is described twice: DispInvoke calls through the vtable's description.
    ITypeInfo* vtable = nullptr;
    HREFTYPE reference = 0;
    if (SUCCEEDED(described->GetRefTypeOfImplType(-1, &reference)) &&
        SUCCEEDED(described->GetRefTypeInfo(reference, &vtable))) {
      described->Release();
      return vtable;
    }
    return described;
  }();
  return info;
}

// An object that answers everything as the standard object it holds does; each kind below
// answers some questions itself.
class StandardAccessible : public IAccessible {
 public:
  explicit StandardAccessible(IAccessible* standard) : standard_(standard) {}
  StandardAccessible(const StandardAccessible&) = delete;
  StandardAccessible& operator=(const StandardAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
        IsEqualIID(id, kIAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  // IDispatch
  // Late-bound clients reach the same methods through IAccessible's own type information.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (AccessibleTypeInfo() == nullptr) return standard_->GetTypeInfoCount(count);
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    ITypeInfo* own = AccessibleTypeInfo();
    if (own == nullptr) return standard_->GetTypeInfo(index, locale, info);
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    own->AddRef();
    *info = own;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    ITypeInfo* own = AccessibleTypeInfo();
    if (own == nullptr) return standard_->GetIDsOfNames(id, names, count, locale, ids);
    return system_com::DispGetIDsOfNames(own, names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    ITypeInfo* own = AccessibleTypeInfo();
    if (own == nullptr) {
      return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argument);
    }
    return system_com::DispInvoke(static_cast<IAccessible*>(this), own, member, flags, parameters,
                                  result, exception, argument);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(ChildId(child), object);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return standard_->get_accName(ChildId(child), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(ChildId(child), value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(ChildId(child), description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(ChildId(child), role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(ChildId(child), state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(ChildId(child), help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, ChildId(child), topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(ChildId(child), shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(ChildId(child), action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, ChildId(child));
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, ChildId(child));
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, ChildId(start), end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(ChildId(child));
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(ChildId(child), name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(ChildId(child), value);
  }

 protected:
  virtual ~StandardAccessible() { standard_->Release(); }
  IAccessible* standard_;

 private:
  LONG references_ = 1;
};

// The answer to WM_GETOBJECT for OBJID_CLIENT on `window`: an `Object` made over its standard
// object; zero when the standard object cannot be made.
template <typename Object>
LRESULT AnswerObjectRequest(HWND window, WPARAM wparam) {
  IAccessible* standard = nullptr;
  if (FAILED(system_oleacc::CreateStdAccessibleObject(window, OBJID_CLIENT, kIAccessible,
                                                      reinterpret_cast<void**>(&standard))) ||
      standard == nullptr) {
    return 0;
  }
  auto* object = new (std::nothrow) Object(window, standard);
  if (object == nullptr) {
    standard->Release();
    return 0;
  }
  const LRESULT answer = system_oleacc::LresultFromObject(kIAccessible, wparam, object);
  object->Release();
  return answer;
}

}  // namespace zentavo
