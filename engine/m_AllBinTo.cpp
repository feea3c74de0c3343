// SPDX-License-Identifier: MIT
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

constexpr std::size_t kBitsPerByte = 8;
constexpr std::size_t kHexPerByte = 2;

// Digits a text of `length` digits, `perByte` to a byte, is widened to: the
// length itself when it holds whole bytes, else 1, 2 or 4 bytes; a longer
// text grows to the next whole byte.
std::size_t WidenedLength(std::size_t length, std::size_t perByte) {
  if (length % perByte == 0) return length;
  for (std::size_t bytes : {1, 2, 4}) {
    if (length < bytes * perByte) return bytes * perByte;
  }
  return (length / perByte + 1) * perByte;
}

// Whether the text-to-text conversions take a text: whole bytes, or a text
// that widens to 1, 2 or 4 bytes.
bool HasWidth(std::size_t length, std::size_t perByte) {
  return length % perByte == 0 || length < 4 * perByte;
}

// The bytes of a text, most significant first, kPerByte digits a byte.
template <std::size_t kPerByte>
std::vector<uint8_t> ReadBytes(std::u16string_view text, bool littleEndian) {
  constexpr bool kBits = kPerByte == kBitsPerByte;
  const std::size_t length = WidenedLength(text.size(), kPerByte);
  const std::size_t count = length / kPerByte;
  const std::size_t pad = length - text.size();  // leading zeros
  std::vector<uint8_t> bytes(count);
  for (std::size_t byte = 0; byte < count; ++byte) {  // in the text's order
    unsigned value = 0;
    for (std::size_t at = byte * kPerByte; at < (byte + 1) * kPerByte; ++at) {
      const char16_t c = at < pad ? u'0' : text[at - pad];
      value = kBits ? value << 1 | (c == u'1' ? 1U : 0U)
                    : value << 4 | static_cast<unsigned>(std::max(DigitOf(c), 0));
    }
    bytes[littleEndian ? count - 1 - byte : byte] = static_cast<uint8_t>(value);
  }
  return bytes;
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

std::vector<uint8_t> BinBytes(std::u16string_view text, bool littleEndian) {
  return ReadBytes<kBitsPerByte>(text, littleEndian);
}

std::vector<uint8_t> HexBytes(std::u16string_view text, bool littleEndian) {
  return ReadBytes<kHexPerByte>(text, littleEndian);
}

float BinToDec(std::u16string_view text, bool littleEndian) {
  float value = 0.0F;
  for (const uint8_t byte : BinBytes(text, littleEndian)) {
    for (int bit = 7; bit >= 0; --bit) value = value + value + static_cast<float>((byte >> bit) & 1);
  }
  // Once infinite a sum stays infinite (nothing is subtracted), so limiting
  // it here is the same as limiting every step.
  return Saturate(value);
}

float HexToDec(std::u16string_view text, bool littleEndian) {
  const std::vector<uint8_t> bytes = HexBytes(text, littleEndian);
  float value = 0.0F;
  std::size_t i = 0;  // the digit's place, 0 = least significant
  for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
    for (const int d : {*byte & 15, *byte >> 4}) {
      // A 0 adds nothing; skipping it also keeps 0 * infinity out. 16^i * d
      // is exact while it fits a float; past that it is infinite, and an
      // infinite sum stays so: it is limited once, at the end.
      if (d != 0) {
        value = (i < kPowersOf16.size() ? kPowersOf16[i] * static_cast<float>(d)
                                        : std::numeric_limits<float>::infinity()) +
                value;
      }
      ++i;
    }
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
  if (!HasWidth(text.size(), kBitsPerByte)) return {};
  const std::u16string widened = Fill(text, WidenedLength(text.size(), kBitsPerByte));
  std::u16string out;
  out.reserve(widened.size() / 4);
  for (std::size_t at = 0; at < widened.size(); at += 4)
    out += NibbleToHex(std::u16string_view(widened).substr(at, 4));
  return out;
}

std::u16string HexToBin(std::u16string_view text) {
  if (!HasWidth(text.size(), kHexPerByte)) return {};
  const std::u16string widened = Fill(text, WidenedLength(text.size(), kHexPerByte));
  std::u16string out;
  out.reserve(widened.size() * 4);
  for (std::size_t at = 0; at < widened.size(); at += 2)
    out += HexPairToBin(std::u16string_view(widened).substr(at, 2));
  return out;
}

std::u16string HexPairToBin(std::u16string_view text) {
  return HexToNibble(text.substr(0, std::min<std::size_t>(1, text.size()))) +
         HexToNibble(text.size() >= 2 ? text.substr(1, 1) : std::u16string_view());
}

}  // namespace m_AllBinTo
