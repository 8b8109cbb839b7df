#include "accessible_objects.h"

#include <oleacc.h>

#include <cstddef>
#include <new>
#include <string>
#include <string_view>

#include "accessibility_table.h"
#include "form1_win32.h"
#include "standard_accessible.h"
#include "system_com.h"
#include "system_libraries.h"

namespace zentavo {
namespace {

const Form1Win32* FormOf(HWND window) { return Form1Win32::FromHandle(window); }

// A text box: the standard edit object, with the words the Qt window gives its boxes, and a value
// set from outside (voice control, automation) going through the box's own checks and history.
class BoxAccessible final : public StandardAccessible {
 public:
  BoxAccessible(HWND box, IAccessible* standard) : StandardAccessible(standard), box_(box) {}

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    child = ChildId(child);
    const Form1Win32* form = FormOf(GetParent(box_));
    if (!IsSelf(child) || form == nullptr) return standard_->get_accName(child, name);
    return Answer(form->AccessibleNameOf(box_), name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    child = ChildId(child);
    const Form1Win32* form = FormOf(GetParent(box_));
    if (!IsSelf(child) || form == nullptr) {
      return standard_->get_accDescription(child, description);
    }
    return Answer(form->AccessibleDescriptionOf(box_), description);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    child = ChildId(child);
    const Form1Win32* form = FormOf(GetParent(box_));
    if (!IsSelf(child) || form == nullptr) return standard_->get_accValue(child, value);
    return Answer(form->AccessibleValueOf(box_), value);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    child = ChildId(child);
    if (!IsSelf(child)) return standard_->put_accValue(child, value);
    if ((GetWindowLongPtrW(box_, GWL_STYLE) & ES_READONLY) != 0) return E_ACCESSDENIED;
    const std::wstring_view text(value != nullptr ? value : L"", system_com::SysStringLen(value));
    // A U+0000 would end the text the box is sent: refused rather than cut short.
    if (text.find(L'\0') != std::wstring_view::npos) return E_INVALIDARG;
    const std::wstring terminated(text);
    return SendMessageW(box_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str())) != FALSE
               ? S_OK
               : E_INVALIDARG;
  }

 private:
  HWND box_;
};

// The button: the standard object, which under wine reads as a bare client area, with the role
// and action Windows gives a push button.
class ButtonAccessible final : public StandardAccessible {
 public:
  ButtonAccessible(HWND button, IAccessible* standard)
      : StandardAccessible(standard), button_(button) {}

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    child = ChildId(child);
    if (!IsSelf(child)) return standard_->get_accRole(child, role);
    return AnswerNumber(ROLE_SYSTEM_PUSHBUTTON, role);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    child = ChildId(child);
    if (!IsSelf(child)) return standard_->get_accDefaultAction(child, action);
    return Answer(u"Press", action);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    child = ChildId(child);
    if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
    PostMessageW(button_, BM_CLICK, 0, 0);  // after the reader's call returns, as a click is
    return S_OK;
  }

 private:
  HWND button_;
};

constexpr LONG kPartCount = static_cast<LONG>(accessibility::kReadingOrder.size());

// The window: its children are its parts in reading order, numbered from 1. A box or the button
// is the object of its own window; a painted label is a simple child of this object, static text
// that reads its words.
class WindowAccessible final : public StandardAccessible {
 public:
  WindowAccessible(HWND window, IAccessible* standard)
      : StandardAccessible(standard), window_(window) {}

  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (Form() == nullptr) return standard_->get_accChildCount(count);
    if (count == nullptr) return E_POINTER;
    *count = kPartCount;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    child = ChildId(child);
    if (Form() == nullptr) return standard_->get_accChild(child, object);
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsPart(child)) return E_INVALIDARG;
    if (const HWND part = WindowOf(child)) {
      return system_oleacc::AccessibleObjectFromWindow(
          part, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch, reinterpret_cast<void**>(object));
    }
    return S_FALSE;  // a simple child: this object answers for it
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    child = ChildId(child);
    return Ask(&IAccessible::get_accName, child, name, [&](std::string_view label) {
      return Answer(accessibility::LabelWords(label), name);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    child = ChildId(child);
    return AskNoneOfLabels(&IAccessible::get_accValue, child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    child = ChildId(child);
    return AskNoneOfLabels(&IAccessible::get_accDescription, child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    child = ChildId(child);
    return AskNoneOfLabels(&IAccessible::get_accHelp, child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    child = ChildId(child);
    return AskNoneOfLabels(&IAccessible::get_accKeyboardShortcut, child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    child = ChildId(child);
    return AskNoneOfLabels(&IAccessible::get_accDefaultAction, child, action);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    child = ChildId(child);
    return Ask(&IAccessible::get_accRole, child, role,
               [&](std::string_view) { return AnswerNumber(ROLE_SYSTEM_STATICTEXT, role); });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    child = ChildId(child);
    return Ask(&IAccessible::get_accState, child, state,
               [&](std::string_view) { return AnswerNumber(STATE_SYSTEM_READONLY, state); });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    child = ChildId(child);
    return ForPart(
        child, [&] { return standard_->accDoDefaultAction(child); },
        [&](IAccessible* part, VARIANT self) { return part->accDoDefaultAction(self); },
        [&](std::string_view) { return DISP_E_MEMBERNOTFOUND; });
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    child = ChildId(child);
    return ForPart(
        child, [&] { return standard_->accSelect(flags, child); },
        [&](IAccessible* part, VARIANT self) { return part->accSelect(flags, self); },
        [&](std::string_view) { return DISP_E_MEMBERNOTFOUND; });
  }

  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    child = ChildId(child);
    const Form1Win32* form = Form();
    if (form == nullptr || IsSelf(child)) {
      return standard_->accLocation(left, top, width, height, child);
    }
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    if (!IsPart(child)) return E_INVALIDARG;
    RECT place{};
    if (const HWND part = WindowOf(child)) {
      GetWindowRect(part, &place);
    } else {
      place = form->LabelPlace(NameOf(child));
      MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&place), 2);
    }
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    start = ChildId(start);
    if (Form() == nullptr) return standard_->accNavigate(direction, start, end);
    if (end == nullptr) return E_POINTER;
    system_com::VariantInit(end);
    LONG next = 0;
    if (IsSelf(start) && direction == NAVDIR_FIRSTCHILD) {
      next = 1;
    } else if (IsSelf(start) && direction == NAVDIR_LASTCHILD) {
      next = kPartCount;
    } else if (IsSelf(start)) {
      return standard_->accNavigate(direction, start, end);
    } else if (!IsPart(start)) {
      return E_INVALIDARG;
    } else if (direction == NAVDIR_NEXT) {
      next = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS) {
      next = start.lVal - 1;
    }
    if (next < 1 || next > kPartCount) return S_FALSE;
    return AsChild(next, end);
  }

  // The boxes and the button first: a label's place in the table may reach under them.
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    const Form1Win32* form = Form();
    if (form == nullptr) return standard_->accHitTest(x, y, child);
    if (child == nullptr) return E_POINTER;
    system_com::VariantInit(child);
    const POINT on_screen{x, y};
    for (LONG part = 1; part <= kPartCount; ++part) {
      const HWND window = form->ControlHandle(accessibility::kReadingOrder[part - 1]);
      RECT place{};
      if (window == nullptr || !GetWindowRect(window, &place) || !PtInRect(&place, on_screen)) {
        continue;
      }
      child->vt = VT_DISPATCH;
      return system_oleacc::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                       IID_IDispatch,
                                                       reinterpret_cast<void**>(&child->pdispVal));
    }
    POINT at = on_screen;
    ScreenToClient(window_, &at);
    for (LONG part = 1; part <= kPartCount; ++part) {
      const std::string_view name = accessibility::kReadingOrder[part - 1];
      if (form->ControlHandle(name) != nullptr) continue;
      const RECT place = form->LabelPlace(name);
      if (PtInRect(&place, at)) {
        child->vt = VT_I4;
        child->lVal = part;
        return S_OK;
      }
    }
    return standard_->accHitTest(x, y, child);  // the window itself, or nothing of it
  }

 private:
  [[nodiscard]] const Form1Win32* Form() const { return FormOf(window_); }

  static bool IsPart(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= kPartCount;
  }
  static std::string_view NameOf(const VARIANT& child) {
    return accessibility::kReadingOrder[static_cast<std::size_t>(child.lVal - 1)];
  }
  [[nodiscard]] HWND WindowOf(const VARIANT& child) const {
    return Form()->ControlHandle(NameOf(child));
  }

  // Answers for `child` with `self` when it is this object (or the window is gone), with `part`
  // asked about itself when it is a window's object, and with `label` when it is a painted label.
  template <typename Self, typename Part, typename Label>
  HRESULT ForPart(const VARIANT& child, Self&& self, Part&& part, Label&& label) const {
    if (Form() == nullptr || IsSelf(child)) return self();
    if (!IsPart(child)) return E_INVALIDARG;
    const HWND window = WindowOf(child);
    if (window == nullptr) return label(NameOf(child));
    IAccessible* object = nullptr;
    if (FAILED(system_oleacc::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                         kIAccessible,
                                                         reinterpret_cast<void**>(&object))) ||
        object == nullptr) {
      return E_FAIL;
    }
    const HRESULT result = part(object, SelfChild());
    object->Release();
    return result;
  }

  // Asks `question` of the standard object about this object, of a part's own object about
  // itself, and answers with `label` for a painted label.
  template <typename Question, typename Out, typename Label>
  HRESULT Ask(Question question, const VARIANT& child, Out* out, Label&& label) const {
    return ForPart(
        child, [&] { return (standard_->*question)(child, out); },
        [&](IAccessible* part, VARIANT self) { return (part->*question)(self, out); }, label);
  }

  // The same, for a text that a painted label has none of.
  template <typename Question>
  HRESULT AskNoneOfLabels(Question question, const VARIANT& child, BSTR* out) const {
    return Ask(question, child, out, [out](std::string_view) { return Nothing(out); });
  }

  // A child as navigation gives it: the object of a window, or the number of a simple child.
  HRESULT AsChild(LONG part, VARIANT* out) const {
    const HWND window = Form()->ControlHandle(accessibility::kReadingOrder[part - 1]);
    if (window != nullptr) {
      IDispatch* object = nullptr;
      if (SUCCEEDED(system_oleacc::AccessibleObjectFromWindow(
              window, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
              reinterpret_cast<void**>(&object))) &&
          object != nullptr) {
        out->vt = VT_DISPATCH;
        out->pdispVal = object;
        return S_OK;
      }
    }
    out->vt = VT_I4;
    out->lVal = part;
    return S_OK;
  }

  static HRESULT Nothing(BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return S_FALSE;
  }
  HWND window_;
};

}  // namespace

LRESULT AnswerBoxObjectRequest(HWND box, WPARAM wparam) {
  return AnswerObjectRequest<BoxAccessible>(box, wparam);
}

LRESULT AnswerButtonObjectRequest(HWND button, WPARAM wparam) {
  return AnswerObjectRequest<ButtonAccessible>(button, wparam);
}

LRESULT AnswerWindowObjectRequest(HWND window, WPARAM wparam) {
  return AnswerObjectRequest<WindowAccessible>(window, wparam);
}

}  // namespace zentavo
