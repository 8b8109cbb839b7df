// Windows' own DLLs that are not among its KnownDLLs, loaded from System32 and nowhere else: a DLL
// of the same name planted beside Zentavo.exe, as in a Downloads folder, is never loaded.
#pragma once

#include <windows.h>

#include <oleacc.h>

namespace zentavo {

// Takes the program's folder and the current folder out of every later DLL search. Called
// first thing, before any DLL that is not imported is loaded.
void SearchSystemFolderOnly();

// `name` from System32 only; nullptr where it is not there.
[[nodiscard]] HMODULE SystemLibrary(const wchar_t* name);

// oleacc.dll's functions, looked up in System32's oleacc.dll on first use rather than imported,
// since an import of a DLL that is not a KnownDLL is searched for in the program's folder first.
// Each fails with E_FAIL (or 0) where the function cannot be had.
namespace system_oleacc {
HRESULT AccessibleObjectFromWindow(HWND window, DWORD object_id, REFIID id, void** object);
HRESULT CreateStdAccessibleObject(HWND window, LONG object_id, REFIID id, void** object);
LRESULT LresultFromObject(REFIID id, WPARAM wparam, IUnknown* object);
}  // namespace system_oleacc

}  // namespace zentavo
