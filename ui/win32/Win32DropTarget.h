// SPDX-License-Identifier: MIT
#pragma once

#include <ole2.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "View.h"

// Text dragged from another program onto a box: offered to the row as its
// Paste command would take it, copied, never moved. It is handed the boxes
// and what it asks of the window, and knows no more of it.
class DropTarget final : public IDropTarget {
 public:
  using CanTake = std::function<bool(int16_t row)>;
  using Offer = std::function<void(int16_t row, const std::u16string& text)>;
  DropTarget(const std::array<HWND, kRowCount>& boxes, CanTake canTake, Offer offer)
      : boxes_(boxes), canTake_(std::move(canTake)), offer_(std::move(offer)) {}

  // The box under a point of the screen, or -1.
  int16_t RowAt(POINT screen) const;

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
  bool Takes(int16_t row) const { return row >= 0 && canTake_(row); }

  std::array<HWND, kRowCount> boxes_;
  CanTake canTake_;
  Offer offer_;
  bool hasText_ = false;
};
