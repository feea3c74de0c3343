#include "Win32Locale.h"

#include <windows.h>

#include <string>

namespace {

std::u16string Info(LCTYPE type) {
  wchar_t buffer[32] = {};
  const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 32);
  return n > 1 ? std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n - 1))
               : std::u16string();
}

}  // namespace

NumberFormat UserNumberFormat() {
  const std::u16string digits = Info(LOCALE_SNATIVEDIGITS);
  std::u32string zero;
  if (!digits.empty() && (digits[0] < 0xD800 || digits[0] > 0xDFFF)) zero = std::u32string(1, digits[0]);
  return FormatOf(Info(LOCALE_SDECIMAL), Info(LOCALE_STHOUSAND), zero);
}
