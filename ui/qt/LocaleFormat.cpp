// SPDX-License-Identifier: MIT
#include "LocaleFormat.h"

NumberFormat NumberFormatOf(const QLocale& locale) {
  return FormatOf(locale.decimalPoint().toStdU16String(), locale.groupSeparator().toStdU16String(),
                  locale.zeroDigit().toStdU32String());
}
