// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

// Text and sizes between the layout's terms and Win32's, for the view's
// files.
namespace Win32Text {

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string Utf16(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::u16string text(static_cast<std::size_t>(std::max(n, 1)), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, reinterpret_cast<wchar_t*>(text.data()), n);
  text.resize(static_cast<std::size_t>(std::max(n - 1, 0)));
  return text;
}

inline std::u16string TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int got = GetWindowTextW(control, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

// Pixels at 96 dpi, at another DPI.
inline int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

// The user's text size (Settings > Accessibility > Text size), in percent:
// 100 to 225.
inline UINT TextPercent() {
  DWORD percent = 100, size = sizeof(percent);
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility", L"TextScaleFactor",
                   RRF_RT_REG_DWORD, nullptr, &percent, &size) != ERROR_SUCCESS) {
    return 100;
  }
  return std::clamp<UINT>(percent, 100, 225);
}

// The DPI the layout is drawn at on a monitor of `dpi`: a larger text size
// scales the whole fixed window, as a larger DPI does.
inline UINT LayoutDpi(UINT dpi) { return MulDiv(dpi ? dpi : 96, static_cast<int>(TextPercent()), 100); }

}  // namespace Win32Text
