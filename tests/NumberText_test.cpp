// SPDX-License-Identifier: MIT
#include "NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "TestText.h"

namespace {

// Like Qt at start, take the C library's locale from the environment, so
// that a run with LC_ALL=de_DE.UTF-8 shows the rules do not depend on it.
const bool kLocaleFromEnvironment = std::setlocale(LC_ALL, "") != nullptr;

TEST(Locale, TheEnvironmentsLocaleIsInEffect) {
  const char* wanted = std::getenv("LC_ALL");
  if (!wanted || std::string(wanted).rfind("de_DE", 0) != 0) GTEST_SKIP() << "runs with LC_ALL=de_DE.UTF-8";
  if (!kLocaleFromEnvironment) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

const NumberFormat kEnglish{u'.', u','};
const NumberFormat kGerman{u',', u'.'};

// Writes a case for the English separators; the German form swaps them.
std::u16string German(std::string_view english) {
  std::u16string out = U(english);
  for (char16_t& c : out) {
    if (c == u'.') {
      c = u',';
    } else if (c == u',') {
      c = u'.';
    }
  }
  return out;
}

struct ReadCase {
  std::string text;
  bool accepted;
  int32_t rounded;  // when accepted
};

const std::vector<ReadCase>& ReadCases() {
  static const std::vector<ReadCase> cases = {
      {"0", true, 0},
      {"300", true, 300},
      {"-1", true, -1},
      {"+7", true, 7},
      {"  42  ", true, 42},
      {"\t42\n", true, 42},
      {"1,234", true, 1234},
      {"1,234,567", true, 1234567},
      {"12,34", true, 1234},  // separators between digits, grouping not checked
      {"255.5", true, 256},
      {"12.5", true, 12},
      {"13.5", true, 14},
      {"-2.5", true, -2},
      {"-3.5", true, -4},
      {"2.5000000000000000001", true, 3},
      {"0.4999999999999999999", true, 0},
      {".5", true, 0},
      {"1.5", true, 2},
      {"5.", true, 5},
      {"1.690906E+07", true, 16909060},
      {"4.294967E+09", true, 2147483647},
      {"1e3", true, 1000},
      {"1E-2", true, 0},
      {"25e-1", true, 2},
      {"-0", true, 0},
      {"000123", true, 123},
      {"1e999999999999", true, 2147483647},
      {"-1e999999999999999999999", true, -2147483648},
      {"1e-999999999999", true, 0},
      {"1,234.75e1", true, 12348},
      {"", false, 0},
      {"   ", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {".", false, 0},
      {"-.", false, 0},
      {"12abc", false, 0},
      {"abc", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"infinity", false, 0},
      {"-Infinity", false, 0},
      {"0x1F", false, 0},
      {"&H1F", false, 0},
      {"--1", false, 0},
      {"+-1", false, 0},
      {"1-2", false, 0},
      {"1-2--", false, 0},
      {"1-", false, 0},
      {"1e", false, 0},
      {"e5", false, 0},
      {"1e+", false, 0},
      {"1.2.3", false, 0},
      {",123", false, 0},
      {"123,", false, 0},
      {"1,,234", false, 0},
      {"-,1", false, 0},
      {"1.5,0", false, 0},
      {"1 234", false, 0},
      {"1e5.5", false, 0},
      {"1d5", false, 0},
  };
  return cases;
}

TEST(ReadDecimal, AcceptsAndRoundsUnderBothSeparatorSets) {
  for (const auto& c : ReadCases()) {
    const auto english = ReadDecimal(U(c.text), kEnglish);
    const auto german = ReadDecimal(German(c.text), kGerman);
    EXPECT_EQ(english.has_value(), c.accepted) << c.text;
    EXPECT_EQ(german.has_value(), c.accepted) << c.text << " (German)";
    if (english && c.accepted) {
      EXPECT_EQ(RoundToInt32(*english), c.rounded) << c.text;
    }
    if (german && c.accepted) {
      EXPECT_EQ(RoundToInt32(*german), c.rounded) << c.text << " (German)";
    }
  }
}

TEST(ReadDecimal, TheOtherLocalesSeparatorsAreNotNumbers) {
  EXPECT_EQ(RoundToInt32(*ReadDecimal(u"1.5", kGerman)), 15);  // a group separator there
  EXPECT_FALSE(ReadDecimal(u"1,5,", kGerman));
  EXPECT_FALSE(ReadDecimal(u"1.5.", kEnglish));
  EXPECT_EQ(RoundToInt32(*ReadDecimal(u"1,5", kGerman)), 2);
}

TEST(ReadDecimal, ComparesExactly) {
  struct Case {
    std::string text;
    int64_t bound;
    int order;
  };
  const std::vector<Case> cases = {
      {"255.0000000000000001", 255, 1},
      {"255", 255, 0},
      {"254.9999999999999999999", 255, -1},
      {"2147483647.0000001", 2147483647, 1},
      {"2147483647", 2147483647, 0},
      {"2.147483647e9", 2147483647, 0},
      {"-2147483648.0000000001", -2147483648LL, -1},
      {"-2147483648", -2147483648LL, 0},
      {"0", 0, 0},
      {"-0.0", 0, 0},
      {"-0.000001", 0, -1},
      {"0.000001", 0, 1},
      {"-5", 3, -1},
      {"5", -3, 1},
      {"-32769", -32768, -1},
      {"1e999999999999", 2147483647, 1},
      {"-1e999999999999", -2147483648LL, -1},
      {"1e-999999999999", 0, 1},
      {std::string(40, '9'), 2147483647, 1},
      {"3000000000", 2147483647, 1},
  };
  for (const auto& c : cases) {
    const auto n = ReadDecimal(U(c.text), kEnglish);
    ASSERT_TRUE(n) << c.text;
    EXPECT_EQ(CompareTo(*n, c.bound), c.order) << c.text << " vs " << c.bound;
  }
}

TEST(ReadDecimal, HugeTextsAreReadWhole) {
  const std::u16string digits = U(std::string(100000, '7'));
  const std::u16string grouped = U("1" + Repeat(",234", 100000) + ".5");
  const std::u16string bad = U(std::string(100000, '1') + "x");
  ASSERT_TRUE(ReadDecimal(digits, kEnglish));
  ASSERT_TRUE(ReadDecimal(grouped, kEnglish));
  ASSERT_FALSE(ReadDecimal(bad, kEnglish));
  EXPECT_EQ(RoundToInt32(*ReadDecimal(digits, kEnglish)), 2147483647);
  EXPECT_EQ(RoundToInt32(*ReadDecimal(U("-" + std::string(100000, '7')), kEnglish)), -2147483647 - 1);
}

TEST(WriteSingle, PlainAndScientific) {
  struct Case {
    double value;
    std::string english;
  };
  const std::vector<Case> cases = {
      {0, "0"},
      {255, "255"},
      {-32768, "-32768"},
      {9999999, "9999999"},
      {10000000, "1E+07"},
      {16909060, "1.690906E+07"},
      {4294967296.0, "4.294967E+09"},
      {2882400000.0, "2.8824E+09"},
      {-2147483648.0, "-2.147484E+09"},
      {10000005, "1E+07"},         // a tie goes to the even digit
      {10000015, "1.000002E+07"},  // likewise, upwards
      {10000006, "1.000001E+07"},
      {99999997952.0, "1E+11"},  // carries into the next power
      {463987776, "4.639878E+08"},
      {91843712, "9.184371E+07"},
      {3.4028234663852886e38, "3.402823E+38"},
  };
  for (const auto& c : cases) {
    const auto value = static_cast<float>(c.value);
    EXPECT_EQ(A(WriteSingle(value, kEnglish)), c.english) << c.value;
    EXPECT_EQ(WriteSingle(value, kGerman), German(c.english)) << c.value;
  }
}

TEST(WriteSingle, WhatIsWrittenReadsBack) {
  // Every form written reads back under the same separators to the value
  // rounded to seven digits.
  for (const NumberFormat& format : {kEnglish, kGerman}) {
    for (float v : {0.0F, 5.0F, 9999999.0F, 16909060.0F, 2882400000.0F, 4294967296.0F}) {
      const auto n = ReadDecimal(WriteSingle(v, format), format);
      ASSERT_TRUE(n) << v;
      if (v < 1e7F) {
        EXPECT_EQ(CompareTo(*n, static_cast<int64_t>(v)), 0) << v;
      }
    }
    EXPECT_EQ(CompareTo(*ReadDecimal(WriteSingle(16909060.0F, format), format), 16909060), 0);
  }
}

}  // namespace
