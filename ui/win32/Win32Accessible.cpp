// SPDX-License-Identifier: MIT
#include "Win32Accessible.h"

#include <commctrl.h>
#include <oleacc.h>

namespace {

// A control as screen readers see it: the system's own object for it, with
// the name and the description this window gives.
class Annotated final : public IAccessible {
 public:
  Annotated(IAccessible* standard, std::u16string name, std::u16string description)
      : standard_(standard), name_(std::move(name)), description_(std::move(description)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;  // COM marshals this object by the standard means
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      standard_->Release();
      delete this;
    }
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Own(child, name_, name) ? S_OK : standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Own(child, description_, text) ? S_OK : standard_->get_accDescription(child, text);
  }

  // The rest is the system's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return standard_->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
    return standard_->GetTypeInfo(i, l, t);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return standard_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                   EXCEPINFO* e, UINT* a) override {
    return standard_->Invoke(d, r, l, f, p, v, e, a);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return standard_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override { return standard_->get_accChildCount(n); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** d) override {
    return standard_->get_accChild(c, d);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* v) override {
    return standard_->get_accValue(c, v);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* r) override {
    return standard_->get_accRole(c, r);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override {
    return standard_->get_accState(c, s);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override { return standard_->get_accHelp(c, h); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
    return standard_->get_accHelpTopic(f, c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
    return standard_->get_accKeyboardShortcut(c, k);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return standard_->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return standard_->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
    return standard_->get_accDefaultAction(c, a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override { return standard_->accSelect(f, c); }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
    return standard_->accLocation(x, y, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* e) override {
    return standard_->accNavigate(d, s, e);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override {
    return standard_->accHitTest(x, y, c);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
    return standard_->accDoDefaultAction(c);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return standard_->put_accName(c, n); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override { return standard_->put_accValue(c, v); }

 private:
  // The control itself, with a text of this window's: that text.
  static bool Own(const VARIANT& child, const std::u16string& text, BSTR* out) {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF || text.empty()) return false;
    *out = SysAllocString(reinterpret_cast<const wchar_t*>(text.c_str()));
    return true;
  }

  IAccessible* standard_;
  std::u16string name_, description_;
  ULONG references_ = 1;
};

}  // namespace

AccessibleNames::~AccessibleNames() {
  if (com_) CoUninitialize();
}

void AccessibleNames::Set(HWND control, const std::u16string& text, bool description) {
  if (texts_.find(control) == texts_.end()) {
    SetWindowSubclass(control, &AccessibleNames::Proc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  (description ? texts_[control].second : texts_[control].first) = text;
}

LRESULT CALLBACK AccessibleNames::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
  auto& names = *reinterpret_cast<AccessibleNames*>(self);
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    // The object goes to the screen reader through COM, which a screen
    // reader asking before the window has settled finds not yet started.
    if (!names.com_) names.com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IAccessible* standard = nullptr;
    if (SUCCEEDED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, IID_IAccessible,
                                            reinterpret_cast<void**>(&standard)))) {
      const auto& [name, description] = names.texts_[hwnd];
      auto* object = new Annotated(standard, name, description);
      const LRESULT result = LresultFromObject(IID_IAccessible, wParam, object);
      object->Release();
      return result;
    }
  }
  if (message == WM_NCDESTROY) {
    names.texts_.erase(hwnd);
    RemoveWindowSubclass(hwnd, &AccessibleNames::Proc, 0);
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}
