// SPDX-License-Identifier: MIT
#include "Win32DropTarget.h"

#include <algorithm>
#include <string>

int16_t DropTarget::RowAt(POINT screen) const {
  for (int16_t row = 0; row < kRowCount; ++row) {
    RECT r;
    if (GetWindowRect(boxes_[static_cast<std::size_t>(row)], &r) && PtInRect(&r, screen)) return row;
  }
  return -1;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD, POINTL at, DWORD* effect) {
  FORMATETC format{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  hasText_ = data && data->QueryGetData(&format) == S_OK;
  return DragOver(0, at, effect);
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD, POINTL at, DWORD* effect) {
  *effect = hasText_ && Takes(RowAt({at.x, at.y})) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) {
  *effect = DROPEFFECT_NONE;
  const int16_t row = RowAt({at.x, at.y});
  if (!data || !Takes(row)) return S_OK;
  FORMATETC format{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (data->GetData(&format, &medium) != S_OK) return S_OK;
  std::u16string text;
  if (const auto* chars = static_cast<const char16_t*>(GlobalLock(medium.hGlobal))) {
    const std::size_t most = GlobalSize(medium.hGlobal) / sizeof(char16_t);
    text.assign(chars, std::find(chars, chars + most, u'\0'));
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  *effect = DROPEFFECT_COPY;
  offer_(row, text);
  return S_OK;
}
