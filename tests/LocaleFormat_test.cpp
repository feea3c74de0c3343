// SPDX-License-Identifier: MIT
#include "LocaleFormat.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct Form {
  const char16_t* text;
  std::optional<int32_t> value;  // rounded half to even; nothing: refused
};

struct LocaleForms {
  const char* locale;
  std::vector<Form> forms;
};

// Each locale's own digits and separators, with ASCII digits beside them.
const std::vector<LocaleForms> kTable = {
    {"ar_EG",
     {{u"١٢٣", 123},
      {u"٢٥٥٫٥", 256},
      {u"٢٥٤٫٥", 254},
      {u"-١٬٢٣٤", -1234},
      {u"١٫٥E+٠٣", 1500},
      {u"123", 123},
      {u"1٫5", 2},
      {u"١2٣", std::nullopt},  // one digit set in one number
      {u"1.5", std::nullopt},
      {u"١٢x", std::nullopt}}},
    {"fa_IR", {{u"۳۰۰", 300}, {u"۲٫۵", 2}, {u"۱٬۰۰۰", 1000}, {u"300", 300}, {u"۳0۰", std::nullopt}}},
    {"mr_IN", {{u"३००", 300}, {u"१,२३४.५", 1234}, {u"३.५", 4}, {u"300", 300}, {u"३0", std::nullopt}}},
    {"bn_BD", {{u"১২৩", 123}, {u"১২৩.৫", 124}, {u"123", 123}, {u"১২৩", 123}}},
    {"fr_FR", {{u"1\u202F234,5", 1234}, {u"2,5", 2}, {u"1.5", std::nullopt}, {u"١٢٣", std::nullopt}}},
    {"de_DE", {{u"1.234,5", 1234}, {u"3,5", 4}, {u"-7", -7}, {u"٣", std::nullopt}}},
    {"C", {{u"1,234.5", 1234}, {u"255.5", 256}, {u"١٢٣", std::nullopt}, {u"", std::nullopt}}},
};

TEST(LocaleFormat, ReadsTheLocalesDigitsAndSeparatorsBesideAscii) {
  for (const LocaleForms& l : kTable) {
    const NumberFormat format = NumberFormatOf(QLocale(QString::fromLatin1(l.locale)));
    for (const Form& f : l.forms) {
      const std::optional<DecimalNumber> read = ReadDecimal(f.text, format);
      SCOPED_TRACE(std::string(l.locale) + " " + QString::fromStdU16String(f.text).toStdString());
      ASSERT_EQ(read.has_value(), f.value.has_value());
      if (read) {
        EXPECT_EQ(RoundToInt32(*read), *f.value);
      }
    }
  }
}

TEST(LocaleFormat, WhatTheProgramWritesReadsBackInTheSameLocale) {
  for (const LocaleForms& l : kTable) {
    const NumberFormat format = NumberFormatOf(QLocale(QString::fromLatin1(l.locale)));
    for (const auto& [value, shown] :
         {std::pair{16909060.0F, 16909060LL}, {4294967295.0F, 4294967000LL}, {255.0F, 255LL}}) {
      const std::u16string written = WriteSingle(value, format);
      for (char16_t c : written) {  // ASCII digits, "E+" and the locale's point
        EXPECT_TRUE((c >= u'0' && c <= u'9') || c == u'E' || c == u'+' || c == format.decimalPoint)
            << l.locale;
      }
      const std::optional<DecimalNumber> back = ReadDecimal(written, format);
      ASSERT_TRUE(back.has_value()) << l.locale;
      EXPECT_EQ(CompareTo(*back, shown), 0) << l.locale;
    }
  }
}

}  // namespace
