// COM's and its automation types' functions, which serve only what comes once the window shows
// (the screen readers' objects, the live region's annotation): looked up in ole32.dll and
// oleaut32.dll, from System32, on their first call rather than imported, so that Windows' loader
// does not map either DLL as the program starts. Each fails as its own would where the function
// cannot be had: E_FAIL, or nothing.
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace zentavo::system_com {

HRESULT CoInitializeEx(void* reserved, DWORD model);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID kind, IUnknown* outer, DWORD context, REFIID id, void** object);

BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
void VariantInit(VARIANT* variant);
HRESULT LoadRegTypeLib(REFGUID library, WORD major, WORD minor, LCID locale, ITypeLib** loaded);
HRESULT LoadTypeLib(LPCOLESTR file, ITypeLib** loaded);
HRESULT DispGetIDsOfNames(ITypeInfo* information, LPOLESTR* names, UINT count, DISPID* ids);
HRESULT DispInvoke(void* object, ITypeInfo* information, DISPID member, WORD flags,
                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                   UINT* argument_error);

}  // namespace zentavo::system_com
