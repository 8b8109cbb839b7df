#include "system_libraries.h"

namespace zentavo {
namespace {

template <typename Function>
Function OleaccFunction(const char* name) {
  static const HMODULE module = SystemLibrary(L"oleacc.dll");
  if (module == nullptr) return nullptr;
  // GetProcAddress's generic pointer is cast to the function's own type, as Windows documents.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void SearchSystemFolderOnly() { SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }

HMODULE SystemLibrary(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

namespace system_oleacc {

HRESULT AccessibleObjectFromWindow(HWND window, DWORD object_id, REFIID id, void** object) {
  using Function = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
  static const auto function = OleaccFunction<Function>("AccessibleObjectFromWindow");
  if (object != nullptr) *object = nullptr;
  return function != nullptr ? function(window, object_id, id, object) : E_FAIL;
}

HRESULT CreateStdAccessibleObject(HWND window, LONG object_id, REFIID id, void** object) {
  using Function = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  static const auto function = OleaccFunction<Function>("CreateStdAccessibleObject");
  if (object != nullptr) *object = nullptr;
  return function != nullptr ? function(window, object_id, id, object) : E_FAIL;
}

LRESULT LresultFromObject(REFIID id, WPARAM wparam, IUnknown* object) {
  using Function = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static const auto function = OleaccFunction<Function>("LresultFromObject");
  return function != nullptr ? function(id, wparam, object) : 0;
}

}  // namespace system_oleacc
}  // namespace zentavo
