// SPDX-License-Identifier: MIT
#include "Win32Accessible.h"

#include <oleacc.h>

#include <algorithm>

namespace {

// The system's own object for a window, answering everything as it does;
// the objects below change some of its answers.
class Forwarding : public IAccessible {
 public:
  explicit Forwarding(IAccessible* standard) : standard_(standard) {}
  virtual ~Forwarding() { standard_->Release(); }
  Forwarding(const Forwarding&) = delete;
  Forwarding& operator=(const Forwarding&) = delete;

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
    if (left == 0) delete this;
    return left;
  }

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
    return standard_->get_accChild(Standard(c), d);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT c, BSTR* n) override {
    return Drawn(c) ? Nothing(n) : standard_->get_accName(Standard(c), n);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* v) override {
    return Drawn(c) ? Nothing(v) : standard_->get_accValue(Standard(c), v);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* d) override {
    return Drawn(c) ? Nothing(d) : standard_->get_accDescription(Standard(c), d);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* r) override {
    return standard_->get_accRole(Standard(c), r);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override {
    return standard_->get_accState(Standard(c), s);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override {
    return Drawn(c) ? Nothing(h) : standard_->get_accHelp(Standard(c), h);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
    return Drawn(c) ? Nothing(f) : standard_->get_accHelpTopic(f, Standard(c), t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
    return Drawn(c) ? Nothing(k) : standard_->get_accKeyboardShortcut(Standard(c), k);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return standard_->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return standard_->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
    return Drawn(c) ? Nothing(a) : standard_->get_accDefaultAction(Standard(c), a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override {
    return Drawn(c) ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(f, Standard(c));
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
    return standard_->accLocation(x, y, w, h, Standard(c));
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* e) override {
    return standard_->accNavigate(d, Standard(s), e);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override {
    return standard_->accHitTest(x, y, c);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
    return Drawn(c) ? DISP_E_MEMBERNOTFOUND : standard_->accDoDefaultAction(Standard(c));
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override {
    return Drawn(c) ? DISP_E_MEMBERNOTFOUND : standard_->put_accName(Standard(c), n);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override {
    return Drawn(c) ? DISP_E_MEMBERNOTFOUND : standard_->put_accValue(Standard(c), v);
  }

 protected:
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  static HRESULT Text(const std::u16string& text, BSTR* out) {
    *out = SysAllocString(reinterpret_cast<const wchar_t*>(text.c_str()));
    return S_OK;
  }
  static HRESULT Nothing(BSTR* out) {
    *out = nullptr;
    return S_FALSE;
  }
  // A child that has no object of the system's: one this object answers for.
  virtual bool Drawn(const VARIANT&) const { return false; }
  // The system object's number for a child of this object's numbering.
  virtual VARIANT Standard(VARIANT child) const { return child; }

  IAccessible* standard_;

 private:
  ULONG references_ = 1;
};

// A control, with the name and the description this window gives.
class Annotated final : public Forwarding {
 public:
  Annotated(IAccessible* standard, std::u16string name, std::u16string description)
      : Forwarding(standard), name_(std::move(name)), description_(std::move(description)) {}

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return IsSelf(child) && !name_.empty() ? Text(name_, name) : Forwarding::get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return IsSelf(child) && !description_.empty() ? Text(description_, text)
                                                  : Forwarding::get_accDescription(child, text);
  }

 private:
  std::u16string name_, description_;
};

// The window, whose children are its controls and, among them in their
// order, the texts it draws: those as static text, numbered as the rest by
// their place among the children (1 on).
class WithDrawnTexts final : public Forwarding {
 public:
  WithDrawnTexts(IAccessible* standard, HWND window, std::vector<AccessibleChild> children)
      : Forwarding(standard), window_(window), children_(std::move(children)) {}

  HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
    *n = static_cast<long>(children_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    *object = nullptr;
    const AccessibleChild* entry = At(child);
    if (!entry) return E_INVALIDARG;
    if (const HWND* control = std::get_if<HWND>(entry)) {
      return AccessibleObjectFromWindow(*control, OBJID_WINDOW, IID_IDispatch,
                                        reinterpret_cast<void**>(object));
    }
    return S_FALSE;  // a drawn text is a simple element of the window
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const DrawnText* text = TextAt(child);
    return text ? Text(text->text, name) : Forwarding::get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!TextAt(child)) return Forwarding::get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_STATICTEXT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!TextAt(child)) return Forwarding::get_accState(child, state);
    state->vt = VT_I4;
    state->lVal = STATE_SYSTEM_READONLY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    const DrawnText* text = TextAt(child);
    if (!text) return Forwarding::accLocation(x, y, w, h, child);
    POINT corner{text->place.left, text->place.top};
    ClientToScreen(window_, &corner);
    *x = corner.x;
    *y = corner.y;
    *w = text->place.right - text->place.left;
    *h = text->place.bottom - text->place.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    VariantInit(end);
    const long count = static_cast<long>(children_.size());
    if (IsSelf(start) && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD)) {
      return count ? Child(direction == NAVDIR_FIRSTCHILD ? 1 : count, end) : S_FALSE;
    }
    if (At(start) && (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS)) {
      const long next = start.lVal + (direction == NAVDIR_NEXT ? 1 : -1);
      return next >= 1 && next <= count ? Child(next, end) : S_FALSE;
    }
    return Forwarding::accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    // A drawn text is the point's, though a group box's window lies over it.
    POINT at{x, y};
    ScreenToClient(window_, &at);
    for (std::size_t i = 0; i < children_.size(); ++i) {
      const auto* text = std::get_if<DrawnText>(&children_[i]);
      if (!text || !PtInRect(&text->place, at)) continue;
      child->vt = VT_I4;
      child->lVal = static_cast<long>(i + 1);
      return S_OK;
    }
    return Forwarding::accHitTest(x, y, child);
  }

 private:
  const AccessibleChild* At(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal < 1 || static_cast<std::size_t>(child.lVal) > children_.size()) {
      return nullptr;
    }
    return &children_[static_cast<std::size_t>(child.lVal - 1)];
  }
  const DrawnText* TextAt(const VARIANT& child) const {
    const AccessibleChild* entry = At(child);
    return entry ? std::get_if<DrawnText>(entry) : nullptr;
  }
  bool Drawn(const VARIANT& child) const override { return TextAt(child) != nullptr; }
  // The system's object numbers the controls alone.
  VARIANT Standard(VARIANT child) const override {
    if (!At(child)) return child;
    const auto before = children_.begin() + child.lVal;
    child.lVal = static_cast<long>(std::count_if(
        children_.begin(), before, [](const AccessibleChild& c) { return std::holds_alternative<HWND>(c); }));
    return child;
  }
  // A child as MSAA hands it on: a control's own object, or the number of a
  // drawn text.
  HRESULT Child(long number, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = number;
    IDispatch* object = nullptr;
    if (get_accChild(*out, &object) == S_OK && object) {
      out->vt = VT_DISPATCH;
      out->pdispVal = object;
    }
    return S_OK;
  }

  HWND window_;
  std::vector<AccessibleChild> children_;
};

}  // namespace

AccessibleNames::~AccessibleNames() {
  if (com_) CoUninitialize();
}

void AccessibleNames::Set(HWND control, const std::u16string& text, bool description) {
  (description ? texts_[control].second : texts_[control].first) = text;
}

void AccessibleNames::SetChildren(HWND window, std::function<std::vector<AccessibleChild>()> children) {
  window_ = window;
  children_ = std::move(children);
}

std::optional<LRESULT> AccessibleNames::Answer(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return std::nullopt;
  const auto named = texts_.find(hwnd);
  if (hwnd != window_ && named == texts_.end()) return std::nullopt;
  // The object goes to the screen reader through COM, which a screen
  // reader asking before the window has settled finds not yet started.
  if (!com_) com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&standard)))) {
    return std::nullopt;
  }
  Forwarding* object = nullptr;
  if (hwnd == window_) {
    object = new WithDrawnTexts(standard, hwnd, children_());
  } else {
    object = new Annotated(standard, named->second.first, named->second.second);
  }
  const LRESULT result = LresultFromObject(IID_IAccessible, wParam, object);
  object->Release();
  return result;
}
