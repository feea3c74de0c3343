// SPDX-License-Identifier: MIT
// Every 32-bit pattern through the engine against an independent reference:
// the hex and binary texts of each value in both byte orders, and their
// values read back, rounded to single precision after every step.
// By default a strided sample; with --full, all 4,294,967,296 patterns.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "m_AllBinTo.h"

namespace {

bool g_full = false;

uint32_t Swap(uint32_t u) { return (u >> 24) | ((u >> 8) & 0xFF00u) | ((u << 8) & 0xFF0000u) | (u << 24); }

// The value of 32 bits read most significant first: leading zeros skipped,
// then value + value + bit, rounded to a float at every step.
float ReferenceBits(uint32_t u) {
  int i = 31;
  while (i >= 0 && !((u >> i) & 1)) --i;
  if (i < 0) return 0.0F;
  float v = 1.0F;  // float arithmetic rounds at every step (no excess precision here)
  for (--i; i >= 0; --i) v = v + v + static_cast<float>((u >> i) & 1);
  return v;
}

// The value of 8 hex digits accumulated from the right: 16^i × digit + value.
float ReferenceHex(uint32_t u) {
  float v = static_cast<float>(u & 15);
  for (int i = 1; i < 8; ++i) v = static_cast<float>(uint64_t{(u >> (4 * i)) & 15} << (4 * i)) + v;
  return v;
}

void HexText(uint32_t u, bool little, char16_t* out) {
  static const char16_t digits[] = u"0123456789ABCDEF";
  for (int byte = 0; byte < 4; ++byte) {
    const uint32_t b = (u >> (8 * (little ? byte : 3 - byte))) & 0xFF;
    out[2 * byte] = digits[b >> 4];
    out[2 * byte + 1] = digits[b & 15];
  }
}

void BinText(uint32_t u, bool little, char16_t* out) {
  for (int byte = 0; byte < 4; ++byte) {
    const uint32_t b = (u >> (8 * (little ? byte : 3 - byte))) & 0xFF;
    for (int bit = 0; bit < 8; ++bit) out[8 * byte + bit] = (b >> (7 - bit)) & 1 ? u'1' : u'0';
  }
}

// Checks one pattern; returns a description of the first mismatch, or "".
std::string Check(uint32_t u) {
  using namespace m_AllBinTo;
  const auto value = static_cast<int32_t>(u);
  char16_t want[32];
  const uint32_t other = Swap(u);
  const float hexValue = ReferenceHex(u), hexOther = ReferenceHex(other);
  const float binValue = ReferenceBits(u), binOther = ReferenceBits(other);
  std::u16string bin;
  bin.reserve(32);
  for (bool little : {false, true}) {
    const std::u16string hex = DecToHex(value, 32, little);
    HexText(u, little, want);
    if (hex.size() != 8 || std::memcmp(hex.data(), want, 16) != 0) return "DecToHex";
    bin.clear();
    for (const auto& g : DecToBinBytes(value, 32, little)) bin += g;
    BinText(u, little, want);
    if (bin.size() != 32 || std::memcmp(bin.data(), want, 64) != 0) return "DecToBinBytes";
    // Read in the order written, and in the other order.
    if (HexToDec(hex, little) != hexValue) return "HexToDec";
    if (HexToDec(hex, !little) != hexOther) return "HexToDec (other order)";
    if (BinToDec(bin, little) != binValue) return "BinToDec";
    if (BinToDec(bin, !little) != binOther) return "BinToDec (other order)";
  }
  return {};
}

// Runs the patterns start, start + stride, ... on every core.
void Sweep(uint64_t stride) {
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::atomic<uint64_t> failures{0};
  std::atomic<uint64_t> firstFailure{UINT64_MAX};
  std::vector<std::string> what(threads);
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < threads; ++t) {
    pool.emplace_back([&, t] {
      for (uint64_t p = uint64_t{t} * stride; p <= UINT32_MAX; p += uint64_t{threads} * stride) {
        const std::string mismatch = Check(static_cast<uint32_t>(p));
        if (!mismatch.empty() && failures++ == 0) {
          firstFailure = p;
          what[t] = mismatch;
        }
      }
    });
  }
  for (auto& th : pool) th.join();
  std::string detail;
  for (const auto& w : what) detail += w;
  EXPECT_EQ(failures.load(), 0u) << "first at pattern " << firstFailure.load() << ": " << detail;
}

TEST(Sweep, EveryPatternOrAStridedSample) {
  // A stride prime to 2^32 reaches patterns of every byte shape.
  Sweep(g_full ? 1 : 65521);
}

TEST(Sweep, ReferenceKnowsTheRoundingCases) {
  // The reference itself, on the values that show per-step rounding.
  EXPECT_EQ(ReferenceBits(0b101011110010110110010000101u), 91843712.0F);
  EXPECT_EQ(ReferenceHex(0x1BA7E42Bu), 463987776.0F);
  EXPECT_EQ(ReferenceHex(0xABCDEF12u), 2882400000.0F);
  EXPECT_EQ(ReferenceBits(0xFFFFFFFFu), 4294967296.0F);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) g_full = g_full || std::string(argv[i]) == "--full";
  return RUN_ALL_TESTS();
}
