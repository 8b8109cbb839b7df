#include "uia_notifications_win32.h"

#include <oleauto.h>
#include <uiautomationcore.h>

#include <new>
#include <string>

#include "system_com.h"
#include "system_libraries.h"

namespace zentavo {
namespace {

// MinGW-w64's headers name some of these only in newer releases, and no import library has them.
constexpr IID kIRawElementProviderSimple = {
    0xd6dd68d1, 0x86fd, 0x4332, {0x86, 0x66, 0x9a, 0xbe, 0xde, 0xa2, 0xd2, 0x4c}};
constexpr LONG kUiaRootObjectId = -25;
constexpr int kNotificationKindOther = 4;
constexpr int kNotificationProcessingMostRecent = 3;

using RaiseNotification = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR, BSTR);
using HostFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using ReturnRawProvider = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A BSTR freed when it goes out of scope.
class Bstr {
 public:
  explicit Bstr(std::u16string_view text)
      : text_(system_com::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                            static_cast<UINT>(text.size()))) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { system_com::SysFreeString(text_); }
  [[nodiscard]] BSTR get() const { return text_; }

 private:
  BSTR text_;
};

}  // namespace

struct UiaNotificationsWin32::Functions {
  HMODULE module = nullptr;
  RaiseNotification raise_notification = nullptr;
  HostFromHwnd host_from_hwnd = nullptr;
  ReturnRawProvider return_raw_provider = nullptr;
};

// The least an element needs to raise events from: a server-side provider hosted by its window,
// with no pattern and no property of its own.
struct UiaNotificationsWin32::Provider final : public IRawElementProviderSimple {
  Provider(HWND window, HostFromHwnd host_from_hwnd)
      : window_(window), host_from_hwnd_(host_from_hwnd) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, kIRawElementProviderSimple)) {
      *object = static_cast<IRawElementProviderSimple*>(this);
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
  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
    if (options == nullptr) return E_INVALIDARG;
    *options = ProviderOptions_ServerSideProvider;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID /*pattern*/, IUnknown** out) override {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID /*property*/, VARIANT* out) override {
    if (out == nullptr) return E_INVALIDARG;
    system_com::VariantInit(out);  // VT_EMPTY: the host's own answer stands
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** out) override {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    return IsWindow(window_) ? host_from_hwnd_(window_, out) : S_OK;
  }

 private:
  ~Provider() = default;
  HWND window_;
  HostFromHwnd host_from_hwnd_;
  LONG references_ = 1;
};

std::unique_ptr<UiaNotificationsWin32> UiaNotificationsWin32::IfAvailable() {
  auto functions = std::make_unique<Functions>();
  functions->module = SystemLibrary(L"uiautomationcore.dll");
  if (functions->module == nullptr) return nullptr;
  functions->raise_notification =
      Lookup<RaiseNotification>(functions->module, "UiaRaiseNotificationEvent");
  functions->host_from_hwnd = Lookup<HostFromHwnd>(functions->module, "UiaHostProviderFromHwnd");
  functions->return_raw_provider =
      Lookup<ReturnRawProvider>(functions->module, "UiaReturnRawElementProvider");
  if (functions->raise_notification == nullptr || functions->host_from_hwnd == nullptr ||
      functions->return_raw_provider == nullptr) {
    FreeLibrary(functions->module);
    return nullptr;
  }
  return std::unique_ptr<UiaNotificationsWin32>(new UiaNotificationsWin32(std::move(functions)));
}

UiaNotificationsWin32::UiaNotificationsWin32(std::unique_ptr<Functions> functions)
    : functions_(std::move(functions)) {}

UiaNotificationsWin32::~UiaNotificationsWin32() {
  if (provider_ != nullptr) provider_->Release();
  // The module stays loaded: UI Automation may still hold the provider it was given.
}

void UiaNotificationsWin32::RaiseFrom(HWND window) {
  if (provider_ != nullptr) provider_->Release();
  provider_ = new (std::nothrow) Provider(window, functions_->host_from_hwnd);
}

LRESULT UiaNotificationsWin32::AnswerObjectRequest(HWND window, WPARAM wparam,
                                                   LPARAM lparam) const {
  if (static_cast<LONG>(lparam) != kUiaRootObjectId || provider_ == nullptr) return 0;
  return functions_->return_raw_provider(window, wparam, lparam, provider_);
}

void UiaNotificationsWin32::Disconnect(HWND window) const {
  functions_->return_raw_provider(window, 0, 0, nullptr);
}

void UiaNotificationsWin32::Notify(std::u16string_view message) const {
  if (provider_ == nullptr) return;
  const Bstr text(message);
  const Bstr activity(u"ZentavoResult");
  functions_->raise_notification(provider_, kNotificationKindOther,
                                 kNotificationProcessingMostRecent, text.get(), activity.get());
}

}  // namespace zentavo
