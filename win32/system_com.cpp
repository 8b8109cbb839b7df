#include "system_com.h"

#include "system_libraries.h"

namespace zentavo::system_com {
namespace {

template <typename Function>
Function Lookup(const wchar_t* library, const char* name) {
  const HMODULE module = SystemLibrary(library);
  if (module == nullptr) return nullptr;
  // GetProcAddress's generic pointer is cast to the function's own type, as Windows documents.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <typename Function>
Function Ole32(const char* name) {
  return Lookup<Function>(L"ole32.dll", name);
}

template <typename Function>
Function OleAut32(const char* name) {
  return Lookup<Function>(L"oleaut32.dll", name);
}

}  // namespace

HRESULT CoInitializeEx(void* reserved, DWORD model) {
  static const auto function = Ole32<HRESULT(WINAPI*)(void*, DWORD)>("CoInitializeEx");
  return function != nullptr ? function(reserved, model) : E_FAIL;
}

void CoUninitialize() {
  static const auto function = Ole32<void(WINAPI*)()>("CoUninitialize");
  if (function != nullptr) function();
}

HRESULT CoCreateInstance(REFCLSID kind, IUnknown* outer, DWORD context, REFIID id, void** object) {
  using Function = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
  static const auto function = Ole32<Function>("CoCreateInstance");
  if (object != nullptr) *object = nullptr;
  return function != nullptr ? function(kind, outer, context, id, object) : E_FAIL;
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  static const auto function = OleAut32<BSTR(WINAPI*)(const OLECHAR*, UINT)>("SysAllocStringLen");
  return function != nullptr ? function(text, length) : nullptr;
}

void SysFreeString(BSTR text) {
  static const auto function = OleAut32<void(WINAPI*)(BSTR)>("SysFreeString");
  if (function != nullptr) function(text);
}

UINT SysStringLen(BSTR text) {
  static const auto function = OleAut32<UINT(WINAPI*)(BSTR)>("SysStringLen");
  return function != nullptr ? function(text) : 0;
}

void VariantInit(VARIANT* variant) {
  static const auto function = OleAut32<void(WINAPI*)(VARIANT*)>("VariantInit");
  if (function != nullptr) {
    function(variant);
  } else {
    variant->vt = VT_EMPTY;
  }
}

HRESULT LoadRegTypeLib(REFGUID library, WORD major, WORD minor, LCID locale, ITypeLib** loaded) {
  using Function = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, ITypeLib**);
  static const auto function = OleAut32<Function>("LoadRegTypeLib");
  if (loaded != nullptr) *loaded = nullptr;
  return function != nullptr ? function(library, major, minor, locale, loaded) : E_FAIL;
}

HRESULT LoadTypeLib(LPCOLESTR file, ITypeLib** loaded) {
  static const auto function = OleAut32<HRESULT(WINAPI*)(LPCOLESTR, ITypeLib**)>("LoadTypeLib");
  if (loaded != nullptr) *loaded = nullptr;
  return function != nullptr ? function(file, loaded) : E_FAIL;
}

HRESULT DispGetIDsOfNames(ITypeInfo* information, LPOLESTR* names, UINT count, DISPID* ids) {
  using Function = HRESULT(WINAPI*)(ITypeInfo*, LPOLESTR*, UINT, DISPID*);
  static const auto function = OleAut32<Function>("DispGetIDsOfNames");
  return function != nullptr ? function(information, names, count, ids) : E_FAIL;
}

HRESULT DispInvoke(void* object, ITypeInfo* information, DISPID member, WORD flags,
                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                   UINT* argument_error) {
  using Function =
      HRESULT(WINAPI*)(void*, ITypeInfo*, DISPID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*);
  static const auto function = OleAut32<Function>("DispInvoke");
  return function != nullptr ? function(object, information, member, flags, parameters, result,
                                        exception, argument_error)
                             : E_FAIL;
}

}  // namespace zentavo::system_com
