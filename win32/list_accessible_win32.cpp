#include "list_accessible_win32.h"

#include <oleacc.h>

#include <string>

#include "standard_accessible.h"

namespace zentavo {
namespace {

class ListAccessible final : public StandardAccessible {
 public:
  ListAccessible(HWND list, IAccessible* standard) : StandardAccessible(standard), list_(list) {}

  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = Rows();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    child = ChildId(child);
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    return IsRow(child) ? S_FALSE : standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    child = ChildId(child);
    if (!IsRow(child)) return standard_->get_accName(child, name);
    const auto row = static_cast<WPARAM>(child.lVal - 1);
    const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, row, 0);
    std::u16string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, u'\0');
    const LRESULT read =
        SendMessageW(list_, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    return Answer(text, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    child = ChildId(child);
    if (IsRow(child)) return AnswerNumber(ROLE_SYSTEM_LISTITEM, role);
    if (IsSelf(child)) return AnswerNumber(ROLE_SYSTEM_LIST, role);
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    child = ChildId(child);
    if (!IsRow(child)) return standard_->get_accState(child, state);
    LONG flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (child.lVal - 1 == Chosen()) {
      flags |= STATE_SYSTEM_SELECTED;
      if (GetFocus() == list_) flags |= STATE_SYSTEM_FOCUSED;
    }
    return AnswerNumber(flags, state);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    if (GetFocus() != list_ || Chosen() < 0) return standard_->get_accFocus(child);
    return AnswerNumber(Chosen() + 1, child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    if (Chosen() < 0) return standard_->get_accSelection(children);
    return AnswerNumber(Chosen() + 1, children);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    child = ChildId(child);
    if (!IsRow(child)) return standard_->accLocation(left, top, width, height, child);
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
      return E_POINTER;
    RECT place{};
    SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(child.lVal - 1),
                 reinterpret_cast<LPARAM>(&place));
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&place), 2);
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
  }

 private:
  [[nodiscard]] LONG Rows() const {
    const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<LONG>(count) : 0;
  }
  [[nodiscard]] LONG Chosen() const {
    return static_cast<LONG>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
  }
  [[nodiscard]] bool IsRow(const VARIANT& child) const {
    return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= Rows();
  }
  HWND list_;
};

}  // namespace

LRESULT AnswerListObjectRequest(HWND list, WPARAM wparam) {
  return AnswerObjectRequest<ListAccessible>(list, wparam);
}

}  // namespace zentavo
