// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <chrono>

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

  HWND owner_;
};
