// SPDX-License-Identifier: MIT
#include "Win32Clipboard.h"

#include <algorithm>
#include <cstring>

namespace {

// Closes the clipboard when the operation ends, however it ends.
struct Opened {
  ~Opened() { CloseClipboard(); }
};

}  // namespace

bool Win32Clipboard::Open() const {
  const auto until = std::chrono::steady_clock::now() + kOpenBudget;
  while (!OpenClipboard(owner_)) {
    if (std::chrono::steady_clock::now() >= until) return false;
    Sleep(10);
  }
  return true;
}

bool Win32Clipboard::Clear() {
  if (!Open()) return false;
  const Opened opened;
  return EmptyClipboard();
}

bool Win32Clipboard::SetText(const std::u16string& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  if (void* at = GlobalLock(memory)) {
    std::memcpy(at, text.c_str(), bytes);
    GlobalUnlock(memory);
  } else {
    GlobalFree(memory);
    return false;
  }
  if (!Open()) {
    GlobalFree(memory);
    return false;
  }
  const Opened opened;
  if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory)) {
    GlobalFree(memory);  // still ours: the clipboard did not take it
    return false;
  }
  return true;
}

std::optional<std::u16string> Win32Clipboard::GetText() {
  if (!Open()) return std::nullopt;
  const Opened opened;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::u16string();  // no text there
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* chars = static_cast<const char16_t*>(GlobalLock(data));
  if (!chars) return std::nullopt;
  const std::size_t most = GlobalSize(data) / sizeof(char16_t);
  std::u16string text(chars, std::find(chars, chars + most, u'\0'));
  GlobalUnlock(data);
  return text;
}
