// SPDX-License-Identifier: MIT
#include "Win32Locale.h"

#include <windows.h>

#include <string>

namespace {

std::u16string Info(const wchar_t* locale, LCTYPE type) {
  wchar_t buffer[32] = {};
  const int n = GetLocaleInfoEx(locale, type, buffer, 32);
  return n > 1 ? std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n - 1))
               : std::u16string();
}

}  // namespace

NumberFormat UserNumberFormat() { return NumberFormatOf(LOCALE_NAME_USER_DEFAULT); }

NumberFormat NumberFormatOf(const wchar_t* locale) {
  const std::u16string digits = Info(locale, LOCALE_SNATIVEDIGITS);
  std::u32string zero;
  if (!digits.empty() && (digits[0] < 0xD800 || digits[0] > 0xDFFF)) zero = std::u32string(1, digits[0]);
  return FormatOf(Info(locale, LOCALE_SDECIMAL), Info(locale, LOCALE_STHOUSAND), zero);
}
