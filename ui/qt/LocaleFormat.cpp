#include "LocaleFormat.h"

NumberFormat NumberFormatOf(const QLocale& locale) {
  NumberFormat format;
  const QString point = locale.decimalPoint();
  const QString group = locale.groupSeparator();
  if (point.size() == 1) format.decimalPoint = point.at(0).unicode();
  if (group.size() == 1 && group != point) format.groupSeparator = group.at(0).unicode();
  const QList<uint> zero = locale.zeroDigit().toUcs4();
  if (zero.size() == 1) format.zeroDigit = zero.front();
  return format;
}
