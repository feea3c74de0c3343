// SPDX-License-Identifier: MIT
// The decimal number rule on any text, under both separator sets.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "FuzzInput.h"
#include "NumberText.h"

namespace {

constexpr int64_t kBounds[] = {
    INT64_MIN / 2, -2147483649LL, -2147483648LL, -32769,       -32768,       -1,           0, 1, 255,
    256,           32767,         32768,         2147483647LL, 2147483648LL, INT64_MAX / 2};

void CheckNumber(const DecimalNumber& x) {
  // Ordering against increasing bounds never goes back up.
  int last = 1;
  for (int64_t b : kBounds) {
    const int c = CompareTo(x, b);
    FUZZ_CHECK(c >= -1 && c <= 1);
    FUZZ_CHECK(c <= last);
    last = c;
  }
  // The rounded value is the nearest whole number within the 32-bit range.
  const int64_t r = RoundToInt32(x);
  if (CompareTo(x, INT32_MIN) >= 0 && CompareTo(x, INT32_MAX) <= 0) {
    FUZZ_CHECK(CompareTo(x, r - 1) > 0);
    FUZZ_CHECK(CompareTo(x, r + 1) < 0);
  } else {
    FUZZ_CHECK(r == (x.negative ? INT32_MIN : INT32_MAX));
  }
  // The normal form: no leading or trailing zeros.
  FUZZ_CHECK(x.digits.empty() || (x.digits.front() != '0' && x.digits.back() != '0'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  uint32_t bits = in.Word();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  const std::u16string text = in.Rest();

  const NumberFormat english{u'.', u','};
  const NumberFormat german{u',', u'.'};
  for (const NumberFormat& format : {english, german}) {
    if (const auto x = ReadDecimal(text, format)) CheckNumber(*x);
    // What is written reads back under the same separators.
    const auto written = ReadDecimal(WriteSingle(value, format), format);
    FUZZ_CHECK(written.has_value());
    CheckNumber(*written);
    if (std::isfinite(value) && std::fabs(value) < 1e7F) {
      FUZZ_CHECK(CompareTo(*written, static_cast<int64_t>(std::nearbyint(value))) == 0);
    }
  }
  return 0;
}
