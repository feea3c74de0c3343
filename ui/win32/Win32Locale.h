// SPDX-License-Identifier: MIT
#pragma once

#include "NumberText.h"

// How a locale writes numbers, as the Decimal box reads them: decimal and
// group separators and native digits. `locale` is a Windows locale name
// ("de-DE").
NumberFormat NumberFormatOf(const wchar_t* locale);
// The same for the user's regional settings.
NumberFormat UserNumberFormat();
