// SPDX-License-Identifier: MIT
#pragma once

#include <ole2.h>

class Win32View;

// Text dragged from another program onto a box: offered to the row as its
// Paste command would take it, copied, never moved.
class DropTarget final : public IDropTarget {
 public:
  explicit DropTarget(Win32View& view) : view_(view) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (id == IID_IUnknown || id == IID_IDropTarget) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Owned by the view, which revokes it before it goes.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) override;

 private:
  Win32View& view_;
  bool hasText_ = false;
};
