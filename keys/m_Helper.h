// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Key filters: each takes the character code of one typed key and answers
// the code its box receives, or 0 to discard the key. They see only the
// code, never the box's text.
namespace m_Helper {

// The codes of the keys that edit a box rather than type into it.
constexpr int16_t kBackspace = 8;
constexpr int16_t kTab = 9;
constexpr int16_t kEnter = 13;
constexpr int16_t kEscape = 27;

// Decimal box: backspace, tab, Enter, minus and the ten digits.
int16_t FilterDecKey(int16_t key);
// Hex box: backspace, tab, Enter, the digits and A to F; a to f become
// capitals.
int16_t FilterHexKey(int16_t key);
// Binary box: backspace, tab, Enter, 0 and 1.
int16_t FilterBinKey(int16_t key);

}  // namespace m_Helper
