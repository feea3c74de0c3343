// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>

#include "m_Helper.h"

namespace {

// What each box receives for every code, written out from the key table
// independently of the filters' own code (and of their named codes).
struct Expected {
  int dec, hex, bin;
};

Expected FromTable(int code) {
  if (code == 8 || code == 9 || code == 13) return {code, code, code};
  if (code == 45) return {45, 0, 0};
  if (code == 48 || code == 49) return {code, code, code};
  if (code >= 50 && code <= 57) return {code, code, 0};
  if (code >= 65 && code <= 70) return {0, code, 0};
  if (code >= 97 && code <= 102) return {0, code - 32, 0};
  return {0, 0, 0};
}

TEST(KeyFilters, EveryCodeFollowsTheTable) {
  for (int code = INT16_MIN; code <= INT16_MAX; ++code) {
    const auto key = static_cast<int16_t>(code);
    const Expected e = FromTable(code);
    ASSERT_EQ(m_Helper::FilterDecKey(key), e.dec) << code;
    ASSERT_EQ(m_Helper::FilterHexKey(key), e.hex) << code;
    ASSERT_EQ(m_Helper::FilterBinKey(key), e.bin) << code;
  }
}

TEST(KeyFilters, NamedCases) {
  using m_Helper::kBackspace, m_Helper::kEnter, m_Helper::kEscape, m_Helper::kTab;
  struct Case {
    int16_t key, dec, hex, bin;
  };
  const Case cases[] = {
      {'-', '-', 0, 0},
      {'+', 0, 0, 0},
      {' ', 0, 0, 0},
      {',', 0, 0, 0},
      {'.', 0, 0, 0},
      {'f', 0, 'F', 0},
      {'g', 0, 0, 0},
      {'G', 0, 0, 0},
      {'2', '2', '2', 0},
      {'0', '0', '0', '0'},
      {'1', '1', '1', '1'},
      {kEnter, kEnter, kEnter, kEnter},
      {kBackspace, kBackspace, kBackspace, kBackspace},
      {kTab, kTab, kTab, kTab},
      {1, 0, 0, 0},
      {3, 0, 0, 0},
      {22, 0, 0, 0},
      {24, 0, 0, 0},
      {26, 0, 0, 0},
      {kEscape, 0, 0, 0},
      {-1, 0, 0, 0},
      {256 + '1', 0, 0, 0},
      {INT16_MIN, 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(m_Helper::FilterDecKey(c.key), c.dec) << c.key;
    EXPECT_EQ(m_Helper::FilterHexKey(c.key), c.hex) << c.key;
    EXPECT_EQ(m_Helper::FilterBinKey(c.key), c.bin) << c.key;
  }
}

}  // namespace
