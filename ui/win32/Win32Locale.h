#pragma once

#include "NumberText.h"

// How the user's regional settings write numbers, as the Decimal box reads
// them: decimal and group separators and native digits.
NumberFormat UserNumberFormat();
