#include "m_AllBinTo.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <limits>

// Results must be rounded to single precision after every step; a target
// that evaluates float sums in wider precision would change them.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must not use excess precision");

namespace m_AllBinTo {
namespace {

constexpr char16_t kDigits[] = u"0123456789ABCDEF";

// Value 0..15 of one hex digit, either case; -1 for any other character.
int DigitOf(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

std::u16string Fill(std::u16string_view text, std::size_t width) {
  std::u16string out;
  if (text.size() < width) out.assign(width - text.size(), u'0');
  out.append(text);
  return out;
}

// Whole-byte length a bit string is widened to: 8, 16 or 32 digits, the
// length itself when it already holds whole bytes, 0 when it cannot be
// widened (over 32 digits and no whole number of bytes).
std::size_t BitTarget(std::size_t length) {
  if (length % 8 == 0) return length;
  if (length < 8) return 8;
  if (length < 16) return 16;
  if (length < 32) return 32;
  return 0;
}

// The same for hex text: 2, 4 or 8 digits, or whole pairs as they stand.
std::size_t HexTarget(std::size_t length) {
  if (length % 2 == 0) return length;
  if (length < 2) return 2;
  if (length < 4) return 4;
  if (length < 8) return 8;
  return 0;
}

// Keeps an accumulated value finite: texts far beyond the window's limits
// would otherwise overflow to infinity.
float Saturate(float value) { return std::isfinite(value) ? value : std::numeric_limits<float>::max(); }

}  // namespace

std::u16string NibbleToHex(std::u16string_view bits) {
  if (bits.size() != 4) return {};
  int value = 0;
  for (char16_t c : bits) {
    if (c != u'0' && c != u'1') return {};
    value = value * 2 + (c - u'0');
  }
  return std::u16string(1, kDigits[value]);
}

std::u16string HexToNibble(std::u16string_view digit) {
  if (digit.size() != 1) return {};
  const int value = DigitOf(digit[0]);
  if (value < 0) return {};
  std::u16string out(4, u'0');
  for (int i = 0; i < 4; ++i) {
    if (value & (8 >> i)) out[static_cast<std::size_t>(i)] = u'1';
  }
  return out;
}

int16_t HexDigitValue(std::u16string_view digit) {
  if (digit.size() != 1) return 0;
  const int value = DigitOf(digit[0]);
  return static_cast<int16_t>(value < 0 ? 0 : value);
}

std::u16string FillToWidth(std::u16string_view text, int16_t width) {
  if (width <= 0) return {};
  return Fill(text, static_cast<std::size_t>(width));
}

std::vector<std::u16string> DecToBinBytes(int32_t value, int16_t width, bool littleEndian) {
  if (width != 8 && width != 16 && width != 32) return {};
  const auto count = static_cast<std::size_t>(width / 8);
  // The two's complement bit pattern; an unsigned conversion is defined for
  // every value and keeps exactly the low bits of a value too wide.
  const auto bits = static_cast<uint32_t>(value);
  std::vector<std::u16string> groups(count);
  for (std::size_t piece = 0; piece < count; ++piece) {
    // Piece 0 is the most significant byte.
    const auto shift = static_cast<unsigned>(8 * (count - 1 - piece));
    const uint32_t byte = (bits >> shift) & 0xFFu;
    std::u16string group(8, u'0');
    for (unsigned i = 0; i < 8; ++i) {
      if (byte & (0x80u >> i)) group[i] = u'1';
    }
    groups[littleEndian ? count - 1 - piece : piece] = std::move(group);
  }
  return groups;
}

std::u16string DecToHex(int32_t value, int16_t width, bool littleEndian) {
  std::u16string out;
  for (const std::u16string& group : DecToBinBytes(value, width, littleEndian)) {
    const std::u16string_view g(group);
    out += NibbleToHex(g.substr(0, 4));
    out += NibbleToHex(g.substr(4, 4));
  }
  return out;
}

float BinToDec(std::u16string_view text, bool littleEndian) {
  std::size_t target = BitTarget(text.size());
  // Past 32 digits the window never converts; read whole bytes all the same.
  if (target == 0) target = (text.size() + 7) / 8 * 8;
  const std::u16string widened = Fill(text, target);
  const std::size_t groups = widened.size() / 8;

  float value = 0.0F;
  bool started = false;
  for (std::size_t g = 0; g < groups; ++g) {
    const std::size_t source = littleEndian ? groups - 1 - g : g;
    for (std::size_t i = 0; i < 8; ++i) {
      const bool one = widened[source * 8 + i] == u'1';
      if (!started) {
        // Leading zeros are skipped; the first 1 starts the value.
        if (one) {
          value = 1.0F;
          started = true;
        }
        continue;
      }
      value = Saturate(value + value + (one ? 1.0F : 0.0F));
    }
  }
  return value;
}

float HexToDec(std::u16string_view text, bool littleEndian) {
  std::size_t target = HexTarget(text.size());
  if (target == 0) target = text.size() + 1;  // whole pairs past 8 digits
  std::u16string digits = Fill(text, target);
  if (digits.size() == 2) {
    // One byte: the byte order plays no part.
    return static_cast<float>(16 * HexDigitValue(std::u16string_view(digits).substr(0, 1)) +
                              HexDigitValue(std::u16string_view(digits).substr(1, 1)));
  }
  if (littleEndian) digits = ReverseChunks(digits, 2);
  if (digits.empty()) return 0.0F;

  const std::size_t last = digits.size() - 1;
  float value = static_cast<float>(HexDigitValue(std::u16string_view(digits).substr(last, 1)));
  for (std::size_t i = 1; i <= last; ++i) {
    const int16_t d = HexDigitValue(std::u16string_view(digits).substr(last - i, 1));
    if (d == 0) continue;  // adds nothing; also keeps 0 * infinity out
    // 16^i * d is exact while it fits a float; past that it saturates.
    const float term = i < 32 ? std::ldexp(static_cast<float>(d), static_cast<int>(4 * i))
                              : std::numeric_limits<float>::infinity();
    value = Saturate(Saturate(term) + value);
  }
  return value;
}

std::u16string ReverseChunks(std::u16string_view text, int16_t chunkSize) {
  if (chunkSize < 1) return {};
  const auto size = static_cast<std::size_t>(chunkSize);
  if (text.size() % size != 0) return {};
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t end = text.size(); end > 0; end -= size) {
    out.append(text.substr(end - size, size));
  }
  return out;
}

std::u16string BinToHex(std::u16string_view text) {
  const std::size_t target = BitTarget(text.size());
  if (target == 0) return {};
  const std::u16string widened = Fill(text, target);
  const std::u16string_view w(widened);
  std::u16string out;
  out.reserve(target / 4);
  for (std::size_t g = 0; g < target; g += 8) {
    out += NibbleToHex(w.substr(g, 4));
    out += NibbleToHex(w.substr(g + 4, 4));
  }
  return out;
}

std::u16string HexToBin(std::u16string_view text) {
  const std::size_t target = HexTarget(text.size());
  if (target == 0) return {};
  const std::u16string widened = Fill(text, target);
  const std::u16string_view w(widened);
  std::u16string out;
  out.reserve(target * 4);
  for (std::size_t p = 0; p < target; p += 2) out += HexPairToBin(w.substr(p, 2));
  return out;
}

std::u16string HexPairToBin(std::u16string_view text) {
  return HexToNibble(text.substr(0, std::min<std::size_t>(1, text.size()))) +
         HexToNibble(text.size() >= 2 ? text.substr(1, 1) : std::u16string_view());
}

}  // namespace m_AllBinTo
