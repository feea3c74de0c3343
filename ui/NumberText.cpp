#include "NumberText.h"

#include <cmath>
#include <limits>

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

// Decimal digits of a whole, finite, non-negative float, exactly.
std::string ExactDigits(float whole) {
  if (whole < 16777216.0F) return std::to_string(static_cast<uint32_t>(whole));
  int exponent = 0;
  const float fraction = std::frexp(whole, &exponent);
  // whole = mantissa × 2^(exponent - 24), the mantissa a 24-bit integer.
  const auto mantissa = static_cast<uint32_t>(std::ldexp(fraction, 24));
  std::string digits = std::to_string(mantissa);  // most significant first
  for (int i = 0; i < exponent - 24; ++i) {
    int carry = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
      const int d = (*it - '0') * 2 + carry;
      *it = static_cast<char>('0' + d % 10);
      carry = d / 10;
    }
    if (carry != 0) digits.insert(digits.begin(), static_cast<char>('0' + carry));
  }
  return digits;
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
  const bool negative = value < 0;
  const std::string digits = ExactDigits(std::nearbyint(std::fabs(value)));

  std::u16string out;
  if (negative && digits != "0") out += u'-';
  if (digits.size() <= 7) {
    out.append(digits.begin(), digits.end());
    return out;
  }

  // Seven significant digits, rounded half to even on the exact digits.
  std::string kept = digits.substr(0, 7);
  int exponent = static_cast<int>(digits.size()) - 1;
  const char next = digits[7];
  const bool restNonZero = digits.find_first_not_of('0', 8) != std::string::npos;
  const bool up = next > '5' || (next == '5' && (restNonZero || (kept.back() - '0') % 2 == 1));
  if (up) {
    int i = 6;
    while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      kept = "1000000";
      ++exponent;
    } else {
      ++kept[static_cast<std::size_t>(i)];
    }
  }
  kept.erase(kept.find_last_not_of('0') + 1);

  out += static_cast<char16_t>(kept[0]);
  if (kept.size() > 1) {
    out += format.decimalPoint;
    out.append(kept.begin() + 1, kept.end());
  }
  out += u"E+";
  if (exponent < 10) out += u'0';
  for (char c : std::to_string(exponent)) out += static_cast<char16_t>(c);
  return out;
}
