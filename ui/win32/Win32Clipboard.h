// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "Clipboard.h"

// The Windows clipboard, CF_UNICODETEXT only. Another program may hold it
// open: opening is retried briefly, then the operation fails.
class Win32Clipboard final : public Clipboard {
 public:
  // `owner` is the window that opens the clipboard and owns what it puts there.
  explicit Win32Clipboard(HWND owner) : owner_(owner) {}

  bool Clear() override;
  bool SetText(const std::u16string& text) override;
  std::optional<std::u16string> GetText() override;

  // How long an open clipboard is waited for.
  static constexpr std::chrono::milliseconds kOpenBudget{400};

 private:
  bool Open() const;
  // Keeps `text` as the clipboard's while its sequence number and owner
  // stay as they are now, if `owner` owns it now.
  void Remember(const std::u16string& text, HWND owner);
  void Forget();

  HWND owner_;
  // The text last read or put, with the clipboard's sequence number (0:
  // none) and owner then. Wine 8 loses a kilobyte at each read of data this
  // process already holds (its own copy, or a text it read before): an
  // unchanged clipboard is read once.
  std::u16string known_;
  DWORD knownSeqno_ = 0;
  HWND knownOwner_ = nullptr;
};
