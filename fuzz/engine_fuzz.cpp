// SPDX-License-Identifier: MIT
// The engine's text routines on any input.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "m_AllBinTo.h"

namespace {

using namespace m_AllBinTo;

bool IsBits(const std::u16string& t) { return t.find_first_not_of(u"01") == std::u16string::npos; }
bool IsHex(const std::u16string& t) {
  return t.find_first_not_of(u"0123456789abcdefABCDEF") == std::u16string::npos;
}

std::u16string Upper(std::u16string t) {
  for (char16_t& c : t) {
    if (c >= u'a' && c <= u'f') c = static_cast<char16_t>(c - 32);
  }
  return t;
}

void CheckValue(float v, std::size_t length, std::size_t limit) {
  FUZZ_CHECK(std::isfinite(v));
  FUZZ_CHECK(v >= 0.0F);
  FUZZ_CHECK(v == std::floor(v));
  if (length <= limit) FUZZ_CHECK(v <= 4294967296.0F);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int32_t value = static_cast<int32_t>(in.Word());
  const auto width = static_cast<int16_t>(static_cast<int8_t>(in.Byte()));
  const bool little = in.Byte() & 1;
  const auto chunk = static_cast<int16_t>(static_cast<int8_t>(in.Byte()));
  const std::u16string text = in.Rest();

  // Values to text: lengths follow the width; other widths give nothing.
  const auto groups = DecToBinBytes(value, width, little);
  const std::u16string hex = DecToHex(value, width, little);
  if (width == 8 || width == 16 || width == 32) {
    FUZZ_CHECK(groups.size() == static_cast<std::size_t>(width / 8));
    FUZZ_CHECK(hex.size() == static_cast<std::size_t>(width / 4));
    std::u16string bits;
    for (const auto& g : groups) {
      FUZZ_CHECK(g.size() == 8 && IsBits(g));
      bits += g;
    }
    FUZZ_CHECK(BinToHex(bits) == hex);
  } else {
    FUZZ_CHECK(groups.empty() && hex.empty());
  }

  // Text to value: always a finite whole number, bounded within the limits.
  CheckValue(BinToDec(text, little), text.size(), 32);
  CheckValue(HexToDec(text, little), text.size(), 8);

  const std::u16string reversed = ReverseChunks(text, chunk);
  FUZZ_CHECK(reversed.empty() || reversed.size() == text.size());
  if (chunk >= 1 && text.size() % static_cast<std::size_t>(chunk) == 0) {
    FUZZ_CHECK(ReverseChunks(reversed, chunk) == text);
  }

  // Text to text: round trips for real digits within the window's limits.
  const std::u16string asHex = BinToHex(text);
  const std::u16string asBin = HexToBin(text);
  // A round trip gives the text widened to the bytes it is read as.
  const auto widened = [&](std::size_t bytes, std::size_t perByte) {
    return FillToWidth(text, static_cast<int16_t>(bytes * perByte));
  };
  if (IsBits(text) && text.size() <= 32) {
    FUZZ_CHECK(HexToBin(asHex) == widened(BinBytes(text, little).size(), 8));
    FUZZ_CHECK(HexBytes(asHex, little) == BinBytes(text, little));
  }
  if (IsHex(text) && text.size() <= 8) {
    FUZZ_CHECK(BinToHex(asBin) == Upper(widened(HexBytes(text, little).size(), 2)));
    FUZZ_CHECK(BinBytes(asBin, little) == HexBytes(text, little));
  }
  FUZZ_CHECK(asBin.size() % 4 == 0);
  FUZZ_CHECK(FillToWidth(text, width).size() == (width <= 0 ? 0 : std::max<std::size_t>(text.size(), width)));
  return 0;
}
