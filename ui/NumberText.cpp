// SPDX-License-Identifier: MIT
#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

// Blanks that may stand around a number (a pasted line often ends in one).
bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u00A0' ||
         c == u'\u2007' || c == u'\u202F';
}

// Reads the digits of one number: ASCII, or the locale's own, whichever
// comes first; a digit of the other set then ends the number like any
// other character.
class DigitReader {
 public:
  DigitReader(std::u16string_view text, std::size_t end, char32_t zero)
      : text_(text), end_(end), zero_(zero) {}

  // The digit's value at pos, -1 for no digit; `length` gets its length in
  // UTF-16 units.
  int At(std::size_t pos, std::size_t& length) {
    length = 1;
    if (pos >= end_) return -1;
    char32_t c = text_[pos];
    if (c >= 0xD800 && c < 0xDC00 && pos + 1 < end_ && text_[pos + 1] >= 0xDC00 && text_[pos + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text_[pos + 1] - 0xDC00);
      length = 2;
    }
    int set = 0;
    int value = -1;
    if (c >= U'0' && c <= U'9') {
      set = 1;
      value = static_cast<int>(c - U'0');
    } else if (zero_ != U'0' && c >= zero_ && c <= zero_ + 9) {
      set = 2;
      value = static_cast<int>(c - zero_);
    }
    if (value < 0 || (set_ != 0 && set != set_)) return -1;
    return value;
  }
  bool IsDigit(std::size_t pos) {
    std::size_t length = 0;
    return At(pos, length) >= 0;
  }
  // Reads the digit at pos, if any, and moves past it.
  bool Take(std::size_t& pos, int& value) {
    std::size_t length = 0;
    std::size_t before = pos;
    value = At(before, length);
    if (value < 0) return false;
    set_ = text_[before] >= u'0' && text_[before] <= u'9' ? 1 : 2;
    pos += length;
    return true;
  }

 private:
  std::u16string_view text_;
  std::size_t end_;
  char32_t zero_;
  int set_ = 0;  // 0 none yet, 1 ASCII, 2 the locale's
};

// Exponents are limited far beyond any value that matters, so that sums of
// exponents and lengths never overflow.
constexpr int64_t kExponentLimit = 1'000'000'000'000'000;

DecimalNumber FromInteger(int64_t value) {
  DecimalNumber n;
  n.negative = value < 0;
  // Works on the magnitude as unsigned so that the lowest int64 is fine too.
  uint64_t magnitude = n.negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  while (magnitude != 0 && magnitude % 10 == 0) {
    magnitude /= 10;
    ++n.exponent;
  }
  if (magnitude != 0) n.digits = std::to_string(magnitude);
  return n;
}

// Compares magnitudes of two non-zero numbers.
int CompareMagnitude(const DecimalNumber& a, const DecimalNumber& b) {
  const int64_t aTop = static_cast<int64_t>(a.digits.size()) + a.exponent;
  const int64_t bTop = static_cast<int64_t>(b.digits.size()) + b.exponent;
  if (aTop != bTop) return aTop < bTop ? -1 : 1;
  const int c = a.digits.compare(b.digits);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace

std::optional<DecimalNumber> ReadDecimal(std::u16string_view text, const NumberFormat& format) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::size_t pos = begin;

  DecimalNumber n;
  if (pos < end && (text[pos] == u'-' || text[pos] == u'+')) n.negative = text[pos++] == u'-';

  DigitReader digits(text, end, format.zeroDigit);
  std::string mantissa;
  std::size_t wholeDigits = 0;
  int d = 0;
  // Whole part: a group separator counts only between two digits.
  while (pos < end) {
    if (digits.Take(pos, d)) {
      mantissa += static_cast<char>('0' + d);
      ++wholeDigits;
    } else if (text[pos] == format.groupSeparator && wholeDigits > 0 && digits.IsDigit(pos + 1)) {
      ++pos;
    } else {
      break;
    }
  }
  int64_t fractionDigits = 0;
  if (pos < end && text[pos] == format.decimalPoint) {
    ++pos;
    while (digits.Take(pos, d)) {
      mantissa += static_cast<char>('0' + d);
      ++fractionDigits;
    }
  }
  if (mantissa.empty()) return std::nullopt;

  int64_t exponent = 0;
  if (pos < end && (text[pos] == u'e' || text[pos] == u'E')) {
    ++pos;
    bool negativeExponent = false;
    if (pos < end && (text[pos] == u'-' || text[pos] == u'+')) negativeExponent = text[pos++] == u'-';
    const std::size_t first = pos;
    while (digits.Take(pos, d)) exponent = std::min(exponent * 10 + d, kExponentLimit);
    if (pos == first) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (pos != end) return std::nullopt;

  // Normal form: no leading zeros, trailing zeros moved into the exponent.
  const std::size_t firstNonZero = mantissa.find_first_not_of('0');
  if (firstNonZero == std::string::npos) return DecimalNumber{n.negative, {}, 0};
  const std::size_t lastNonZero = mantissa.find_last_not_of('0');
  n.digits = mantissa.substr(firstNonZero, lastNonZero - firstNonZero + 1);
  n.exponent = exponent - fractionDigits + static_cast<int64_t>(mantissa.size() - 1 - lastNonZero);
  return n;
}

int CompareTo(const DecimalNumber& number, int64_t bound) {
  const DecimalNumber b = FromInteger(bound);
  const int numberSign = number.IsZero() ? 0 : number.negative ? -1 : 1;
  const int boundSign = b.IsZero() ? 0 : b.negative ? -1 : 1;
  if (numberSign != boundSign) return numberSign < boundSign ? -1 : 1;
  if (numberSign == 0) return 0;
  const int magnitude = CompareMagnitude(number, b);
  return numberSign > 0 ? magnitude : -magnitude;
}

int32_t RoundToInt32(const DecimalNumber& number) {
  if (CompareTo(number, std::numeric_limits<int32_t>::max()) > 0) return std::numeric_limits<int32_t>::max();
  if (CompareTo(number, std::numeric_limits<int32_t>::min()) < 0) return std::numeric_limits<int32_t>::min();
  if (number.IsZero()) return 0;

  // Within the range the whole part has at most ten digits.
  const int64_t wholeLength = static_cast<int64_t>(number.digits.size()) + number.exponent;
  int64_t magnitude = 0;
  for (int64_t i = 0; i < wholeLength; ++i) {
    const std::size_t at = static_cast<std::size_t>(i);
    magnitude = magnitude * 10 + (at < number.digits.size() ? number.digits[at] - '0' : 0);
  }
  if (number.exponent < 0 && wholeLength >= 0) {
    // The first fraction digit decides, unless it is a 5 that ends the
    // digits: then it is a tie and goes to the even neighbour.
    const std::size_t first = static_cast<std::size_t>(wholeLength);
    const char d = number.digits[first];
    const bool exactHalf = d == '5' && first + 1 == number.digits.size();
    if (d > '5' || (d == '5' && !exactHalf) || (exactHalf && magnitude % 2 == 1)) ++magnitude;
  }
  return static_cast<int32_t>(number.negative ? -magnitude : magnitude);
}

std::u16string WriteSingle(float value, const NumberFormat& format) {
  if (std::isnan(value)) value = 0.0F;
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<float>::max(), value);
  const float whole = std::nearbyint(std::fabs(value));

  // The exact digits below 10,000,000; from there seven significant digits,
  // which the standard library rounds half to even on the exact value.
  // At most seven digits, or "d.dddddde+XX": the buffer always holds it.
  std::array<char, 32> buffer{};
  char* const first = buffer.data();
  const bool plain = whole < 10'000'000.0F;
  const char* const end =
      plain ? std::to_chars(first, first + buffer.size(), whole, std::chars_format::fixed, 0).ptr
            : std::to_chars(first, first + buffer.size(), whole, std::chars_format::scientific, 6).ptr;
  const std::string_view text(first, static_cast<std::size_t>(end - first));

  std::u16string out;
  if (value < 0 && whole != 0) out += u'-';
  if (plain) {
    out.append(text.begin(), text.end());
    return out;
  }
  // d.dddddde+XX: trailing zeros of the fraction go, and with no fraction
  // left the point goes too.
  const std::size_t e = text.find('e');
  std::string_view mantissa = text.substr(0, e);
  mantissa = mantissa.substr(0, mantissa.find_last_not_of('0') + 1);
  if (mantissa.back() == '.') mantissa.remove_suffix(1);
  for (char c : mantissa) out += c == '.' ? format.decimalPoint : static_cast<char16_t>(c);
  out += u'E';
  for (char c : text.substr(e + 1)) out += static_cast<char16_t>(c);  // "+07": at least two digits
  return out;
}

NumberFormat FormatOf(std::u16string_view point, std::u16string_view group, std::u32string_view zero) {
  NumberFormat format;
  if (point.size() == 1) format.decimalPoint = point.front();
  if (group.size() == 1 && group != point) format.groupSeparator = group.front();
  if (zero.size() == 1) format.zeroDigit = zero.front();
  return format;
}
