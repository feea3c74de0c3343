// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reading and writing the Decimal box's text: one rule for every place that
// reads a number (the Decimal Update, the type fitting and the Paste test),
// exact whatever the text's length, and independent of the C library's
// locale. The toolkit layer passes the user's decimal point and group
// separator.

struct NumberFormat {
  char16_t decimalPoint = u'.';
  char16_t groupSeparator = u',';
  // The locale's own digits run from this zero; ASCII digits are read too.
  char32_t zeroDigit = U'0';
};

// A locale's format from its decimal point, group separator and zero digit
// as the system gives them: a separator of more than one character, or a
// group separator equal to the point, keeps the default, and so does a zero
// that is not one character.
NumberFormat FormatOf(std::u16string_view point, std::u16string_view group, std::u32string_view zero);

// An exact decimal value: (-1 if negative) × digits × 10^exponent, where
// `digits` has no leading or trailing zeros; zero has no digits.
struct DecimalNumber {
  bool negative = false;
  std::string digits;
  int64_t exponent = 0;

  bool IsZero() const { return digits.empty(); }
};

// Reads a whole text as a number: blanks around it, an optional sign, digits
// with group separators between digits of the whole part, an optional
// fraction and an optional exponent. The digits are ASCII or the locale's
// own, one set in one number. Anything else gives nothing.
std::optional<DecimalNumber> ReadDecimal(std::u16string_view text, const NumberFormat& format);

// -1, 0 or 1 as the number is below, equal to or above `bound`, exactly.
int CompareTo(const DecimalNumber& number, int64_t bound);

// The nearest whole number, a half going to the even neighbour, limited to
// the 32-bit range.
int32_t RoundToInt32(const DecimalNumber& number);

// The text of a single-precision result: plain digits below 10,000,000,
// from there seven significant digits in scientific form (1.690906E+07),
// a tie going to the even digit. The value is taken as a whole number.
std::u16string WriteSingle(float value, const NumberFormat& format);
