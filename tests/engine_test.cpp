// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "TestText.h"
#include "m_AllBinTo.h"

using namespace m_AllBinTo;

namespace {

struct TextCase {
  std::string in;
  std::string out;
};

TEST(DigitTable, NibbleToHex) {
  const std::vector<TextCase> cases = {
      {"0000", "0"}, {"1001", "9"}, {"1010", "A"}, {"1111", "F"}, {"0101", "5"},
      {"101", ""},   {"10100", ""}, {"0a01", ""},  {"", ""},      {"0 01", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(A(NibbleToHex(U(c.in))), c.out) << c.in;
}

TEST(DigitTable, HexToNibble) {
  const std::vector<TextCase> cases = {
      {"0", "0000"}, {"7", "0111"}, {"c", "1100"}, {"C", "1100"}, {"f", "1111"},
      {"G", ""},     {"10", ""},    {"1F", ""},    {"", ""},      {" ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(A(HexToNibble(U(c.in))), c.out) << c.in;
}

TEST(DigitTable, HexDigitValue) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"9", 9}, {"A", 10}, {"a", 10}, {"F", 15}, {"f", 15}, {"0", 0},
      {"G", 0}, {"12", 0}, {"", 0},   {"g", 0},  {"@", 0},  {"`", 0},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(HexDigitValue(U(in)), out) << in;
  // A character whose low byte looks like a digit is no digit.
  EXPECT_EQ(HexDigitValue(std::u16string(1, char16_t{0x0141})), 0);
}

TEST(DigitTable, EveryRowRoundTrips) {
  for (int v = 0; v < 16; ++v) {
    const std::u16string digit = NibbleToHex(HexToNibble(std::u16string(1, u"0123456789ABCDEF"[v])));
    EXPECT_EQ(HexDigitValue(digit), v);
  }
}

TEST(FillToWidth, Cases) {
  struct Case {
    std::string in;
    int16_t width;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"101", 8, "00000101"},
      {"1", 8, "00000001"},
      {"1111111", 8, "01111111"},
      {"101010101", 16, "0000000101010101"},
      {"11111111111111111", 32, std::string(15, '0') + "11111111111111111"},
      {"F", 2, "0F"},
      {"1AB", 4, "01AB"},
      {"abcde", 8, "000abcde"},
      {"0001", 8, "00000001"},
      {"10101010", 8, "10101010"},
      {"123456789", 8, "123456789"},
      {"", 4, "0000"},
      {"1", 0, ""},
      {"1", -5, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(A(FillToWidth(U(c.in), c.width)), c.out) << c.in << " " << c.width;
}

// Rows of the value-to-text table: value, width, binary and hex in both orders.
struct ValueRow {
  int32_t value;
  int16_t width;
  std::string binBig, hexBig, binLittle, hexLittle;
};

const std::vector<ValueRow>& ValueTable() {
  static const std::vector<ValueRow> rows = {
      {5, 8, "00000101", "05", "00000101", "05"},
      {0, 8, "00000000", "00", "00000000", "00"},
      {255, 8, "11111111", "FF", "11111111", "FF"},
      {128, 8, "10000000", "80", "10000000", "80"},
      {300, 16, "0000000100101100", "012C", "0010110000000001", "2C01"},
      {-1, 16, "1111111111111111", "FFFF", "1111111111111111", "FFFF"},
      {-2, 16, "1111111111111110", "FFFE", "1111111011111111", "FEFF"},
      {-5, 16, "1111111111111011", "FFFB", "1111101111111111", "FBFF"},
      {-128, 16, "1111111110000000", "FF80", "1000000011111111", "80FF"},
      {-256, 16, "1111111100000000", "FF00", "0000000011111111", "00FF"},
      {-300, 16, "1111111011010100", "FED4", "1101010011111110", "D4FE"},
      {-32768, 16, "1000000000000000", "8000", "0000000010000000", "0080"},
      {32767, 16, "0111111111111111", "7FFF", "1111111101111111", "FF7F"},
      {1, 32, "00000000000000000000000000000001", "00000001", "00000001000000000000000000000000", "01000000"},
      {300, 32, "00000000000000000000000100101100", "0000012C", "00101100000000010000000000000000",
       "2C010000"},
      {-300, 32, "11111111111111111111111011010100", "FFFFFED4", "11010100111111101111111111111111",
       "D4FEFFFF"},
      {0, 32, std::string(32, '0'), "00000000", std::string(32, '0'), "00000000"},
      {-1, 32, std::string(32, '1'), "FFFFFFFF", std::string(32, '1'), "FFFFFFFF"},
      {2147483647, 32, "0" + std::string(31, '1'), "7FFFFFFF", "11111111111111111111111101111111",
       "FFFFFF7F"},
      {INT32_MIN, 32, "1" + std::string(31, '0'), "80000000", "00000000000000000000000010000000", "00000080"},
  };
  return rows;
}

std::string Joined(const std::vector<std::u16string>& groups) {
  std::string out;
  for (const auto& g : groups) {
    EXPECT_EQ(g.size(), 8u);
    out += A(g);
  }
  return out;
}

TEST(DecToText, TableBothByteOrders) {
  for (const auto& r : ValueTable()) {
    SCOPED_TRACE(std::to_string(r.value) + " at " + std::to_string(r.width));
    EXPECT_EQ(Joined(DecToBinBytes(r.value, r.width, false)), r.binBig);
    EXPECT_EQ(A(DecToHex(r.value, r.width, false)), r.hexBig);
    EXPECT_EQ(Joined(DecToBinBytes(r.value, r.width, true)), r.binLittle);
    EXPECT_EQ(A(DecToHex(r.value, r.width, true)), r.hexLittle);
    EXPECT_EQ(DecToBinBytes(r.value, r.width, true).size(), static_cast<size_t>(r.width / 8));
  }
}

TEST(DecToText, LittleEndianGroupZeroIsLeastSignificant) {
  const auto groups = DecToBinBytes(-300, 16, true);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(A(groups[0]), "11010100");
  EXPECT_EQ(A(groups[1]), "11111110");
}

TEST(DecToText, OutsideTheContract) {
  // A width the window never passes gives nothing rather than garbage.
  for (int16_t width : {int16_t{0}, int16_t{-8}, int16_t{7}, int16_t{24}, int16_t{64}, int16_t{32767}}) {
    EXPECT_TRUE(DecToBinBytes(5, width, true).empty()) << width;
    EXPECT_EQ(A(DecToHex(5, width, false)), "") << width;
  }
  // A value too wide for its width keeps its low bits.
  EXPECT_EQ(A(DecToHex(300, 8, false)), "2C");
  EXPECT_EQ(A(DecToHex(-1, 8, true)), "FF");
  EXPECT_EQ(A(DecToHex(INT32_MIN, 16, false)), "0000");
  EXPECT_EQ(A(DecToHex(70000, 16, false)), "1170");
}

// Independent reference: the bytes of the value's two's complement.
std::string ReferenceHex(uint32_t bits, int width, bool little) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  const int bytes = width / 8;
  for (int i = 0; i < bytes; ++i) {
    const int byte = little ? i : bytes - 1 - i;
    const uint32_t b = (bits >> (8 * byte)) & 0xFF;
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

std::string ReferenceBin(uint32_t bits, int width, bool little) {
  std::string out;
  const int bytes = width / 8;
  for (int i = 0; i < bytes; ++i) {
    const int byte = little ? i : bytes - 1 - i;
    for (int bit = 7; bit >= 0; --bit) out += ((bits >> (8 * byte + bit)) & 1) ? '1' : '0';
  }
  return out;
}

void CheckAgainstReference(int32_t value, int16_t width) {
  for (bool little : {false, true}) {
    const auto bits = static_cast<uint32_t>(value);
    ASSERT_EQ(A(DecToHex(value, width, little)), ReferenceHex(bits, width, little)) << value << " " << width;
    ASSERT_EQ(Joined(DecToBinBytes(value, width, little)), ReferenceBin(bits, width, little))
        << value << " " << width;
  }
}

TEST(DecToText, EveryByteAndIntegerValue) {
  for (int32_t v = 0; v <= 255; ++v) CheckAgainstReference(v, 8);
  for (int32_t v = -32768; v <= 32767; ++v) CheckAgainstReference(v, 16);
}

TEST(DecToText, LongBoundsAndRandomValues) {
  for (int32_t v : {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX})
    CheckAgainstReference(v, 32);
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
  for (int i = 0; i < 100000; ++i) CheckAgainstReference(any(rng), 32);
}

struct ValueCase {
  std::string text;
  bool little;
  double value;
};

TEST(TextToValue, BytesWidenedAndOrdered) {
  struct Case {
    std::string text;
    bool hex;
    bool little;
    std::vector<uint8_t> bytes;
  };
  const std::vector<Case> cases = {
      {"", false, true, {}},
      {"101", false, false, {0x05}},
      {"101", true, false, {0x01, 0x01}},
      {"111111111", false, false, {0x01, 0xFF}},
      {"111111111", false, true, {0xFF, 0x01}},
      {std::string(17, '1'), false, true, {0xFF, 0xFF, 0x01, 0x00}},
      {"1x1", false, false, {0x05}},
      {"1" + std::string(32, '0'), false, false, {0x01, 0, 0, 0, 0}},
      {"1" + std::string(32, '0'), false, true, {0, 0, 0, 0, 0x01}},
      {"F", true, true, {0x0F}},
      {"ABC", true, true, {0xBC, 0x0A}},
      {"12345", true, false, {0x00, 0x01, 0x23, 0x45}},
      {"12345", true, true, {0x45, 0x23, 0x01, 0x00}},
      {"1-g", true, false, {0x01, 0x00}},
      {"123456789", true, false, {0x01, 0x23, 0x45, 0x67, 0x89}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.hex ? HexBytes(U(c.text), c.little) : BinBytes(U(c.text), c.little), c.bytes)
        << c.text << (c.little ? " LE" : " BE");
  }
}

TEST(TextToValue, BinToDec) {
  const std::string one16 = "1" + std::string(16, '0');
  const std::string one31 = "1" + std::string(31, '0');
  const std::vector<ValueCase> cases = {
      {"101", false, 5},
      {"101", true, 5},
      {"11111111", false, 255},
      {"0", false, 0},
      {"00000", true, 0},
      {"", false, 0},
      {"", true, 0},
      {"0000000100000000", false, 256},
      {"0000000100000000", true, 1},
      {"000000010000000000000000", false, 65536},
      {"000000010000000000000000", true, 1},
      {"111111111", false, 511},
      {"111111111", true, 65281},
      {"101010101010", false, 2730},
      {"101010101010", true, 43530},
      {one16, false, 65536},
      {one16, true, 256},
      {one31, false, 2147483648.0},
      {one31, true, 128},
      {std::string(24, '1'), false, 16777215},
      {std::string(32, '1'), false, 4294967296.0},
      {std::string(32, '1'), true, 4294967296.0},
      // Rounded after every step: 91843717 exactly, 91843720 if rounded once.
      {"101011110010110110010000101", false, 91843712},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BinToDec(U(c.text), c.little), static_cast<float>(c.value))
        << c.text << (c.little ? " LE" : " BE");
  }
}

TEST(TextToValue, HexToDec) {
  const std::vector<ValueCase> cases = {
      {"FF", false, 255},
      {"ff", true, 255},
      {"F", false, 15},
      {"10", true, 16},
      {"1234", false, 4660},
      {"1234", true, 13330},
      {"00FF", false, 255},
      {"00FF", true, 65280},
      {"ABC", false, 2748},
      {"ABC", true, 48138},
      {"12345", false, 74565},
      {"12345", true, 1159921920},
      {"123456", false, 1193046},
      {"123456", true, 5649426},
      {"80000000", false, 2147483648.0},
      {"80000000", true, 128},
      {"FFFFFFFF", false, 4294967296.0},
      {"ABCDEF12", false, 2882400000.0},
      {"ABCDEF12", true, 317705632},
      {"1BA7E42B", false, 463987776},
      {"XY", false, 0},
      {"G1", true, 1},
      {"", false, 0},
      {"", true, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HexToDec(U(c.text), c.little), static_cast<float>(c.value))
        << c.text << (c.little ? " LE" : " BE");
  }
}

TEST(TextToValue, ReverseChunks) {
  struct Case {
    std::string in;
    int16_t size;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"1234", 2, "3412"}, {"ABCDEF", 2, "EFCDAB"},
      {"AB", 2, "AB"},     {"12345678", 4, "56781234"},
      {"ABC", 2, ""},      {"", 2, ""},
      {"abc", 1, "cba"},   {"1234", 0, ""},
      {"1234", -2, ""},    {"12", 5, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(A(ReverseChunks(U(c.in), c.size)), c.out) << c.in << " " << c.size;
}

TEST(TextToValue, PastedCharactersCountAsZero) {
  // Any character other than "1" is a 0 bit in binary; any non-digit is a 0
  // digit in hex.
  EXPECT_EQ(BinToDec(U("1x1"), false), 5.0F);
  EXPECT_EQ(BinToDec(U("2222"), false), 0.0F);
  EXPECT_EQ(BinToDec(U("x1"), false), 1.0F);
  EXPECT_EQ(BinToDec(U("9999999999999999999999999999999"), true), 0.0F);
  EXPECT_EQ(HexToDec(U("1-2"), false), 258.0F);
  EXPECT_EQ(HexToDec(U(" F"), false), 15.0F);
}

TEST(TextToValue, RoundTripsEveryValueUpTo2Pow24) {
  // What the window writes for a non-negative value reads back to it, at
  // every width that holds it, in both byte orders.
  for (int32_t v = 0; v <= (1 << 24); v += (v < 70000 ? 1 : 97)) {
    const int16_t width = v <= 255 ? 8 : v <= 32767 ? 16 : 32;
    for (bool little : {false, true}) {
      std::u16string bin;
      for (const auto& g : DecToBinBytes(v, width, little)) bin += g;
      ASSERT_EQ(BinToDec(bin, little), static_cast<float>(v)) << v;
      ASSERT_EQ(HexToDec(DecToHex(v, width, little), little), static_cast<float>(v)) << v;
    }
  }
  EXPECT_EQ(HexToDec(DecToHex(1 << 24, 32, true), true), 16777216.0F);
}

TEST(TextToValue, LongTextsStayFinite) {
  // Far past the window's limits: defined, finite, never NaN.
  const std::vector<std::u16string> bins = {U(std::string(33, '1')), U(std::string(200, '1')),
                                            U(std::string(40000, '1')), U(std::string(1001, '1'))};
  for (const auto& b : bins) {
    for (bool little : {false, true}) {
      const float v = BinToDec(b, little);
      EXPECT_TRUE(std::isfinite(v)) << b.size();
      EXPECT_GT(v, 4294967296.0F) << b.size();
    }
  }
  const std::vector<std::u16string> hexes = {U(std::string(9, 'F')), U(std::string(40, 'F')),
                                             U("1" + std::string(40001, '0')), U(std::string(50000, 'z'))};
  for (const auto& h : hexes) {
    for (bool little : {false, true}) EXPECT_TRUE(std::isfinite(HexToDec(h, little))) << h.size();
  }
  EXPECT_EQ(HexToDec(U("100000000"), false), 4294967296.0F);
  EXPECT_EQ(BinToDec(U("1" + std::string(32, '0')), false), 4294967296.0F);
  EXPECT_EQ(HexToDec(U(std::string(50000, 'z')), true), 0.0F);
  // Little endian puts the first byte last: a leading 1 reads as the low byte.
  EXPECT_EQ(BinToDec(U("1" + std::string(1000, '0')), true), 1.0F);
  EXPECT_EQ(BinToDec(U("1" + std::string(1007, '0')), true), 128.0F);
}

TEST(TextConversion, BinToHex) {
  const std::vector<TextCase> cases = {
      {"0", "00"},
      {"101", "05"},
      {"1111111", "7F"},
      {"11111111", "FF"},
      {"111111111", "01FF"},
      {"101010101010", "0AAA"},
      {std::string(15, '1'), "7FFF"},
      {"1" + std::string(16, '0'), "00010000"},
      {std::string(23, '1'), "007FFFFF"},
      {std::string(25, '1'), "01FFFFFF"},
      {"000000010000000000000000", "010000"},
      {"11111111000000001010101001010101", "FF00AA55"},
      {"1" + std::string(31, '0'), "80000000"},
      {std::string(32, '1'), "FFFFFFFF"},
      {"", ""},
      {"1111111x", "F"},
      {std::string(33, '1'), ""},
      {std::string(40, '1'), "FFFFFFFFFF"},
  };
  for (const auto& c : cases) EXPECT_EQ(A(BinToHex(U(c.in))), c.out) << c.in;
}

TEST(TextConversion, HexToBin) {
  const std::vector<TextCase> cases = {
      {"1", "00000001"},
      {"F", "00001111"},
      {"FF", "11111111"},
      {"ff", "11111111"},
      {"1234", "0001001000110100"},
      {"ABC", "0000101010111100"},
      {"12345", "00000000000000010010001101000101"},
      {"123456", "000100100011010001010110"},
      {"ABCDEF12", "10101011110011011110111100010010"},
      {"", ""},
      {"G1", "0001"},
      {"XY", ""},
      {"123456789", ""},
      {"0123456789", "0000000100100011010001010110011110001001"},
  };
  for (const auto& c : cases) EXPECT_EQ(A(HexToBin(U(c.in))), c.out) << c.in;
}

TEST(TextConversion, HexPairToBin) {
  const std::vector<TextCase> cases = {{"A5", "10100101"}, {"0F", "00001111"}, {"a5", "10100101"},
                                       {"Z5", "0101"},     {"5", "0101"},      {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(A(HexPairToBin(U(c.in))), c.out) << c.in;
}

// The text widened to the whole bytes the engine reads it as.
std::string Widened(const std::string& text, std::size_t bytes, std::size_t perByte) {
  return std::string(bytes * perByte - text.size(), '0') + text;
}

TEST(TextConversion, BinaryRoundTripsEveryLength) {
  std::mt19937 rng(7);
  for (std::size_t length = 0; length <= 32; ++length) {
    for (int sample = 0; sample < 200; ++sample) {
      std::string b;
      for (std::size_t i = 0; i < length; ++i) b += static_cast<char>('0' + (rng() & 1));
      ASSERT_EQ(A(HexToBin(BinToHex(U(b)))), Widened(b, BinBytes(U(b), false).size(), 8)) << b;
    }
  }
}

TEST(TextConversion, HexRoundTripsEveryLength) {
  static const char* digits = "0123456789ABCDEFabcdef";
  std::mt19937 rng(11);
  for (std::size_t length = 0; length <= 8; ++length) {
    for (int sample = 0; sample < 500; ++sample) {
      std::string h;
      for (std::size_t i = 0; i < length; ++i) h += digits[rng() % 22];
      std::string expected = Widened(h, HexBytes(U(h), false).size(), 2);
      for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      ASSERT_EQ(A(BinToHex(HexToBin(U(h)))), expected) << h;
    }
  }
}

}  // namespace
