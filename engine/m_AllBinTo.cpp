#include "m_AllBinTo.h"

#include <algorithm>
#include <array>
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

// A text that no width fits.
constexpr std::size_t kNoWidth = static_cast<std::size_t>(-1);

// Whole-byte length a bit string is widened to: 8, 16 or 32 digits, the
// length itself when it already holds whole bytes, kNoWidth when it cannot
// be widened (over 32 digits and no whole number of bytes).
std::size_t BitTarget(std::size_t length) {
  if (length % 8 == 0) return length;
  if (length < 8) return 8;
  if (length < 16) return 16;
  if (length < 32) return 32;
  return kNoWidth;
}

// The same for hex text: 2, 4 or 8 digits, or whole pairs as they stand.
std::size_t HexTarget(std::size_t length) {
  if (length % 2 == 0) return length;
  if (length < 2) return 2;
  if (length < 4) return 4;
  if (length < 8) return 8;
  return kNoWidth;
}

// 16^i for i = 0..31, exact in single precision (powers of two).
constexpr auto kPowersOf16 = [] {
  std::array<float, 32> p{};
  p[0] = 1.0F;
  for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 16.0F;
  return p;
}();

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
  // The same bytes in the same order as DecToBinBytes, two digits a byte;
  // written straight from the bit pattern rather than through the groups.
  if (width != 8 && width != 16 && width != 32) return {};
  const auto count = static_cast<unsigned>(width / 8);
  const auto bits = static_cast<uint32_t>(value);
  std::u16string out(2 * count, u'0');
  for (unsigned group = 0; group < count; ++group) {
    const unsigned byteIndex = littleEndian ? group : count - 1 - group;  // 0 = least significant
    const uint32_t byte = (bits >> (8 * byteIndex)) & 0xFFu;
    out[2 * group] = kDigits[byte >> 4];
    out[2 * group + 1] = kDigits[byte & 15];
  }
  return out;
}

float BinToDec(std::u16string_view text, bool littleEndian) {
  std::size_t target = BitTarget(text.size());
  // Past 32 digits the window never converts; read whole bytes all the same.
  if (target == kNoWidth) target = (text.size() + 7) / 8 * 8;
  // Only a text short of whole bytes is copied to be widened.
  std::u16string widened;
  if (target != text.size()) {
    widened = Fill(text, target);
    text = widened;
  }
  const std::size_t groups = target / 8;

  float value = 0.0F;
  bool started = false;
  for (std::size_t g = 0; g < groups; ++g) {
    const char16_t* group = text.data() + 8 * (littleEndian ? groups - 1 - g : g);
    for (std::size_t i = 0; i < 8; ++i) {
      const bool one = group[i] == u'1';
      if (started) {
        value = value + value + (one ? 1.0F : 0.0F);
      } else if (one) {
        // Leading zeros are skipped; the first 1 starts the value.
        value = 1.0F;
        started = true;
      }
    }
  }
  // Once infinite a sum stays infinite (nothing is subtracted), so limiting
  // it here is the same as limiting every step.
  return Saturate(value);
}

float HexToDec(std::u16string_view text, bool littleEndian) {
  std::size_t target = HexTarget(text.size());
  if (target == kNoWidth) target = text.size() + 1;  // whole pairs past 8 digits
  if (target == 0) return 0.0F;
  // The widened text is read in place, `pad` zeros in front of it; little
  // endian reads its digit pairs last pair first.
  const std::size_t pad = target - text.size();
  const std::size_t pairs = target / 2;
  const bool reorder = littleEndian && target != 2;  // one byte has no order
  auto digit = [&](std::size_t j) -> int {
    const std::size_t at = reorder ? (pairs - 1 - j / 2) * 2 + j % 2 : j;
    const int d = at < pad ? 0 : DigitOf(text[at - pad]);
    return d < 0 ? 0 : d;
  };
  if (target == 2) return static_cast<float>(16 * digit(0) + digit(1));

  const std::size_t last = target - 1;
  float value = static_cast<float>(digit(last));
  for (std::size_t i = 1; i <= last; ++i) {
    const int d = digit(last - i);
    if (d == 0) continue;  // adds nothing; also keeps 0 * infinity out
    // 16^i * d is exact while it fits a float; past that it is infinite,
    // and an infinite sum stays so: it is limited once, at the end.
    value =
        (i < 32 ? kPowersOf16[i] * static_cast<float>(d) : std::numeric_limits<float>::infinity()) + value;
  }
  return Saturate(value);
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
  if (target == kNoWidth) return {};
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
  if (target == kNoWidth) return {};
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
