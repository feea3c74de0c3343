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

void Win32Clipboard::Remember(const std::u16string& text, HWND owner) {
  // The number first: a change after it shows in the owner.
  const DWORD seqno = GetClipboardSequenceNumber();  // 0 where it cannot be had
  if (seqno == 0 || GetClipboardOwner() != owner) return Forget();
  std::u16string(text).swap(known_);  // no room kept from a longer text before
  knownSeqno_ = seqno;
  knownOwner_ = owner;
}

void Win32Clipboard::Forget() {
  std::u16string().swap(known_);
  knownSeqno_ = 0;
}

bool Win32Clipboard::Clear() {
  Forget();
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
  {
    const Opened opened;
    if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory)) {
      GlobalFree(memory);  // still ours: the clipboard did not take it
      return false;
    }
  }
  // After closing: the system adds the formats it makes from the text then,
  // which changes the sequence number.
  Remember(text, owner_);
  return true;
}

std::optional<std::u16string> Win32Clipboard::GetText() {
  if (!Open()) return std::nullopt;
  const Opened opened;
  if (knownSeqno_ != 0 && GetClipboardSequenceNumber() == knownSeqno_ && GetClipboardOwner() == knownOwner_) {
    return known_;
  }
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::u16string();  // no text there
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* chars = static_cast<const char16_t*>(GlobalLock(data));
  if (!chars) return std::nullopt;
  const std::size_t most = GlobalSize(data) / sizeof(char16_t);
  std::u16string text(chars, std::find(chars, chars + most, u'\0'));
  GlobalUnlock(data);
  Remember(text, GetClipboardOwner());
  return text;
}
