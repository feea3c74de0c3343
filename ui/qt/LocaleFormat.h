// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>

#include "NumberText.h"

// How a locale writes numbers, as the Decimal box reads them: its decimal
// point and group separator where each is one character, and its own zero
// digit.
NumberFormat NumberFormatOf(const QLocale& locale);
