// SPDX-License-Identifier: MIT
#include "frmMain.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "FakeView.h"
#include "TestText.h"
#include "WindowInvariants.h"

namespace {

class Window : public ::testing::Test {
 protected:
  explicit Window(NumberFormat format = {}) : form(view, clipboard, format) { form.Form_Load(); }

  const WindowState& state() const { return form.State(); }
  std::string Text(int16_t row) const { return A(view.GetText(row)); }
  int16_t ChosenType() const {
    for (int16_t i = 0; i < kTypeCount; ++i) {
      if (view.IsSelected(Options::Type, i)) return i;
    }
    return -1;
  }
  // Puts a text into a box as the user would by pasting, whatever its content.
  void Put(int16_t row, std::string_view text) { view.SetText(row, U(text)); }
  void Update(int16_t row) {
    ASSERT_TRUE(view.Click(Buttons::Update, row)) << "Update " << row << " disabled";
  }

  void ExpectInvariants() const { EXPECT_EQ(BrokenWindowRule(view, form), ""); }

  FakeView view;
  FakeClipboard clipboard;
  frmMain form;
};

// --- Start-up and options ----------------------------------------------------

TEST_F(Window, StartsEmptyWithEveryButtonDisabled) {
  for (int16_t row = 0; row < kRowCount; ++row) EXPECT_EQ(Text(row), "");
  for (Buttons array : {Buttons::Update, Buttons::Copy, Buttons::Paste}) {
    for (int16_t i = 0; i < view.Count(array); ++i) EXPECT_FALSE(view.IsEnabled(array, i));
  }
  EXPECT_EQ(ChosenType(), kAutomatic);
  EXPECT_TRUE(view.IsSelected(Options::Display, kLittle));
  EXPECT_FALSE(view.IsSelected(Options::Display, kBig));
  EXPECT_EQ(state().TypeBytes, 0);
  EXPECT_EQ(state().TypeBits, 0);
  EXPECT_TRUE(state().LittleEndian);
  EXPECT_FALSE(state().HasDec || state().HasHex || state().HasBin);
  ExpectInvariants();
}

TEST_F(Window, OptionsSetTypeAndByteOrderButNotTheBoxes) {
  Put(kRowDec, "5");
  view.ClickOption(Options::Type, kLong);
  EXPECT_EQ(state().TypeBytes, 4);
  EXPECT_EQ(state().TypeBits, 32);
  view.ClickOption(Options::Type, kByte);
  EXPECT_EQ(state().TypeBytes, 1);
  EXPECT_EQ(state().TypeBits, 8);
  view.ClickOption(Options::Type, kInteger);
  EXPECT_EQ(state().TypeBits, 16);
  view.ClickOption(Options::Display, kBig);
  EXPECT_FALSE(state().LittleEndian);
  view.ClickOption(Options::Display, kLittle);
  EXPECT_TRUE(state().LittleEndian);
  EXPECT_EQ(Text(kRowDec), "5");
  EXPECT_EQ(Text(kRowHex), "");
}

TEST_F(Window, HandlerIndexesOutsideTheirArrays) {
  form.optType_Click(2);
  for (int16_t bad : {int16_t{-1}, int16_t{4}, int16_t{99}}) {
    form.optType_Click(bad);
    EXPECT_EQ(state().TypeBits, 16) << bad;
    form.cmdUpdate_Click(bad);
    form.cmdCopy_Click(bad);
    form.cmdPaste_Click(bad);
  }
  // Any byte-order index but the first means big endian.
  form.optDisplay_Click(7);
  EXPECT_FALSE(state().LittleEndian);
  form.optDisplay_Click(0);
  EXPECT_TRUE(state().LittleEndian);
  EXPECT_EQ(clipboard.writes, 0);
  ExpectInvariants();
}

TEST_F(Window, CopyAllFollowsTheThreeFlags) {
  Put(kRowDec, "1");
  Put(kRowHex, "1");
  EXPECT_FALSE(view.IsEnabled(Buttons::Copy, kCopyAll));
  Put(kRowBin, "1");
  EXPECT_TRUE(view.IsEnabled(Buttons::Copy, kCopyAll));
  Put(kRowBin, "11");  // the same flags again: still enabled
  EXPECT_TRUE(view.IsEnabled(Buttons::Copy, kCopyAll));
  Put(kRowHex, "");
  EXPECT_FALSE(view.IsEnabled(Buttons::Copy, kCopyAll));
  ExpectInvariants();
}

struct FitCase {
  int16_t chosen;
  std::string decimal;
  int16_t expected;
};

TEST_F(Window, DecimalUpdateFitsTheType) {
  const std::vector<FitCase> cases = {
      {kAutomatic, "0", kByte},
      {kAutomatic, "255", kByte},
      {kAutomatic, "256", kInteger},
      {kAutomatic, "-1", kInteger},
      {kAutomatic, "-32768", kInteger},
      {kAutomatic, "32768", kLong},
      {kAutomatic, "-32769", kLong},
      {kAutomatic, "2147483647", kLong},
      {kByte, "255", kByte},
      {kByte, "256", kInteger},
      {kByte, "-1", kInteger},
      {kByte, "40000", kLong},
      {kInteger, "5", kInteger},
      {kInteger, "32768", kLong},
      {kLong, "5", kLong},
      {kLong, "-1", kLong},
      {kAutomatic, "255.5", kInteger},
      {kAutomatic, "255.0000000000000001", kInteger},
      {kAutomatic, "-0.4", kInteger},
      {kAutomatic, "1.690906E+07", kLong},
  };
  for (const auto& c : cases) {
    view.ClickOption(Options::Type, c.chosen);
    Put(kRowDec, c.decimal);
    Update(kRowDec);
    EXPECT_EQ(ChosenType(), c.expected) << c.decimal << " from " << c.chosen;
    EXPECT_EQ(state().TypeBytes, c.expected == kByte ? 1 : c.expected == kInteger ? 2 : 4) << c.decimal;
  }
}

TEST_F(Window, HexAndBinaryUpdatesLeaveTheType) {
  Put(kRowHex, "FFFF");
  Update(kRowHex);
  EXPECT_EQ(ChosenType(), kAutomatic);
  EXPECT_EQ(state().TypeBits, 0);
  view.ClickOption(Options::Type, kByte);
  Put(kRowBin, "1111111111111111");
  Update(kRowBin);
  EXPECT_EQ(ChosenType(), kByte);
  EXPECT_EQ(state().TypeBits, 8);
}

// --- Update ------------------------------------------------------------------

struct DecimalCase {
  std::string decimal;
  int16_t byteOrder;
  int16_t type;  // chosen before the Update
  std::string decimalAfter, binary, hex;
  int16_t typeAfter;
};

TEST_F(Window, DecimalUpdate) {
  const std::vector<DecimalCase> cases = {
      {"3000000000", kLittle, kAutomatic, "2147483647", "11111111111111111111111101111111", "FFFFFF7F",
       kLong},
      {"3000000000", kBig, kAutomatic, "2147483647", "01111111111111111111111111111111", "7FFFFFFF", kLong},
      {"-2147483649", kBig, kAutomatic, "-2147483648", "10000000000000000000000000000000", "80000000", kLong},
      {std::string(40, '9'), kBig, kAutomatic, "2147483647", "01111111111111111111111111111111", "7FFFFFFF",
       kLong},
      {"2147483600", kBig, kAutomatic, "2147483600", "01111111111111111111111111010000", "7FFFFFD0", kLong},
      {"2147483647", kBig, kAutomatic, "2147483647", "01111111111111111111111111111111", "7FFFFFFF", kLong},
      {"2147483647.0000001", kBig, kAutomatic, "2147483647", "01111111111111111111111111111111", "7FFFFFFF",
       kLong},
      {"255.5", kBig, kAutomatic, "255.5", "0000000100000000", "0100", kInteger},
      {"5", kLittle, kAutomatic, "5", "00000101", "05", kByte},
      {"5", kLittle, kInteger, "5", "0000010100000000", "0500", kInteger},
      {"5", kBig, kInteger, "5", "0000000000000101", "0005", kInteger},
      {"-1", kLittle, kAutomatic, "-1", "1111111111111111", "FFFF", kInteger},
      {"300", kLittle, kAutomatic, "300", "0010110000000001", "2C01", kInteger},
      {"-300", kLittle, kLong, "-300", "11010100111111101111111111111111", "D4FEFFFF", kLong},
      {"1.690906E+07", kBig, kAutomatic, "1.690906E+07", "00000001000000100000001100000100", "01020304",
       kLong},
      {"4.294967E+09", kBig, kAutomatic, "2147483647", "01111111111111111111111111111111", "7FFFFFFF", kLong},
      {"1,234", kBig, kAutomatic, "1,234", "0000010011010010", "04D2", kInteger},
      {"12.5", kBig, kAutomatic, "12.5", "00001100", "0C", kByte},
      {"-2.5", kBig, kAutomatic, "-2.5", "1111111111111110", "FFFE", kInteger},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.decimal);
    view.ClickOption(Options::Display, c.byteOrder);
    view.ClickOption(Options::Type, c.type);
    Put(kRowDec, c.decimal);
    Update(kRowDec);
    EXPECT_EQ(Text(kRowDec), c.decimalAfter);
    EXPECT_EQ(Text(kRowBin), c.binary);
    EXPECT_EQ(Text(kRowHex), c.hex);
    EXPECT_EQ(ChosenType(), c.typeAfter);
    ExpectInvariants();
  }
}

TEST_F(Window, DecimalUpdateOnTextThatIsNoNumberChangesNothing) {
  for (const char* text : {"-", "1-2--", "--", "1-2"}) {
    Put(kRowHex, "AB");
    Put(kRowBin, "1");
    Put(kRowDec, text);
    Update(kRowDec);
    EXPECT_EQ(Text(kRowDec), text);
    EXPECT_EQ(Text(kRowHex), "AB");
    EXPECT_EQ(Text(kRowBin), "1");
    EXPECT_EQ(ChosenType(), kAutomatic);
    ExpectInvariants();
  }
}

struct TextCase {
  int16_t row;  // source
  std::string text;
  int16_t byteOrder;
  std::string decimal, hex, binary;
};

TEST_F(Window, HexAndBinaryUpdates) {
  const std::string ones32(32, '1');
  const std::vector<TextCase> cases = {
      {kRowHex, "ABCDEF12", kBig, "2.8824E+09", "ABCDEF12", "10101011110011011110111100010010"},
      {kRowHex, "ABCDEF12", kLittle, "3.177056E+08", "ABCDEF12", "10101011110011011110111100010010"},
      {kRowHex, "FFFFFFFF", kLittle, "4.294967E+09", "FFFFFFFF", ones32},
      {kRowHex, "01020304", kBig, "1.690906E+07", "01020304", "00000001000000100000001100000100"},
      {kRowHex, "04030201", kLittle, "1.690906E+07", "04030201", "00000100000000110000001000000001"},
      {kRowHex, "ff", kBig, "255", "ff", "11111111"},
      {kRowHex, "2C01", kLittle, "300", "2C01", "0010110000000001"},
      {kRowHex, "989680", kBig, "1E+07", "989680", "100110001001011010000000"},
      {kRowHex, "12abc", kBig, "76476", "12abc", "00000000000000010010101010111100"},
      {kRowBin, ones32, kBig, "4.294967E+09", "FFFFFFFF", ones32},
      {kRowBin, "101", kLittle, "5", "05", "101"},
      {kRowBin, "0010110000000001", kLittle, "300", "2C01", "0010110000000001"},
      {kRowBin, "101011110010110110010000101", kBig, "9.184371E+07", "05796C85",
       "101011110010110110010000101"},
      {kRowBin, "1x1", kBig, "5", "0", "1x1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    view.ClickOption(Options::Display, c.byteOrder);
    Put(kRowDec, "");
    Put(kRowHex, "");
    Put(kRowBin, "");
    Put(c.row, c.text);
    Update(c.row);
    EXPECT_EQ(Text(kRowDec), c.decimal);
    EXPECT_EQ(Text(kRowHex), c.hex);
    EXPECT_EQ(Text(kRowBin), c.binary);
    ExpectInvariants();
  }
}

TEST_F(Window, TooLongHexOrBinaryClearsOnlyItsBox) {
  Put(kRowDec, "7");
  Put(kRowBin, "111");
  Put(kRowHex, "123456789");
  Update(kRowHex);
  EXPECT_EQ(Text(kRowHex), "");
  EXPECT_EQ(Text(kRowDec), "7");
  EXPECT_EQ(Text(kRowBin), "111");
  EXPECT_FALSE(view.IsEnabled(Buttons::Update, kRowHex));

  Put(kRowHex, "12345678");
  Update(kRowHex);
  EXPECT_EQ(Text(kRowBin), "00010010001101000101011001111000");

  Put(kRowBin, std::string(33, '1'));
  Update(kRowBin);
  EXPECT_EQ(Text(kRowBin), "");
  EXPECT_EQ(Text(kRowHex), "12345678");
  Put(kRowBin, std::string(32, '1'));
  Update(kRowBin);
  EXPECT_EQ(Text(kRowHex), "FFFFFFFF");
  ExpectInvariants();
}

TEST_F(Window, ScientificResultConvertsAgain) {
  view.ClickOption(Options::Display, kBig);
  Put(kRowHex, "01020304");
  Update(kRowHex);
  EXPECT_EQ(Text(kRowDec), "1.690906E+07");
  Update(kRowDec);
  EXPECT_EQ(Text(kRowHex), "01020304");
  Put(kRowHex, "FFFFFFFF");
  Update(kRowHex);
  EXPECT_EQ(Text(kRowDec), "4.294967E+09");
  Update(kRowDec);
  EXPECT_EQ(Text(kRowDec), "2147483647");
}

struct ExactCase {
  int16_t row;
  std::string text;
  int16_t byteOrder;
  std::string note;
};

TEST_F(Window, ExactValueBesideSevenDigits) {
  const std::vector<ExactCase> cases = {
      {kRowHex, "FFFFFFFF", kLittle, "exactly 4294967295"},
      {kRowHex, "1BA7E42B", kBig, "exactly 463987755"},
      {kRowHex, "2BE4A71B", kLittle, "exactly 463987755"},
      {kRowHex, "ABCDEF12", kLittle, "exactly 317705643"},
      {kRowHex, "989680", kBig, "exactly 10000000"},  // 1E+07 is not its exact text
      {kRowHex, "1000001", kBig, "exactly 16777217"},
      {kRowHex, "FFFFFF", kBig, "exactly 16777215"},
      {kRowHex, "96967F", kBig, ""},  // 9,869,951 is written exactly
      {kRowHex, "FF", kLittle, ""},
      {kRowBin, std::string(32, '1'), kBig, "exactly 4294967295"},
      {kRowBin, "00101011111001001010011100011011", kLittle, "exactly 463987755"},
      {kRowBin, "101011110010110110010000101", kBig, "exactly 91843717"},
      {kRowBin, "1x1", kBig, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    view.ClickOption(Options::Display, c.byteOrder);
    Put(c.row, c.text);
    Update(c.row);
    EXPECT_EQ(A(view.Description(kRowDec)), c.note);
  }
}

TEST_F(Window, ExactValueGoesWhenTheDecimalChanges) {
  const std::vector<std::function<void()>> changes = {
      [this] { view.Type(kRowDec, u'5'); },
      [this] { view.Type(kRowDec, m_Helper::kBackspace); },
      [this] {
        clipboard.text = u"12";
        view.Click(Buttons::Paste, kRowDec);
      },
      [this] { Update(kRowDec); },  // rewritten to the upper bound
      [this] {
        Put(kRowHex, "12");
        Update(kRowHex);
      },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    Put(kRowHex, "FFFFFFFF");
    Update(kRowHex);
    ASSERT_EQ(A(view.Description(kRowDec)), "exactly 4294967295");
    changes[i]();
    EXPECT_EQ(A(view.Description(kRowDec)), "") << i;
  }
}

TEST_F(Window, Walkthrough) {
  view.Type(kRowDec, u"300");
  EXPECT_TRUE(view.IsEnabled(Buttons::Update, kRowDec));
  EXPECT_TRUE(state().HasDec);
  EXPECT_FALSE(view.IsEnabled(Buttons::Copy, kCopyAll));
  view.Type(kRowDec, m_Helper::kEnter);
  EXPECT_TRUE(view.ButtonHasFocus(Buttons::Update, kRowDec));
  Update(kRowDec);
  EXPECT_EQ(ChosenType(), kInteger);
  EXPECT_EQ(state().TypeBytes, 2);
  EXPECT_EQ(Text(kRowBin), "0010110000000001");
  EXPECT_EQ(Text(kRowHex), "2C01");
  ASSERT_TRUE(view.Click(Buttons::Copy, kCopyAll));
  EXPECT_EQ(A(*clipboard.text), "300<>2C01<>0010110000000001<>");
}

// --- Typing ------------------------------------------------------------------

TEST_F(Window, TypingPassesTheFilters) {
  struct Case {
    int16_t row;
    std::u16string keys;
    std::string text;
  };
  const std::vector<Case> cases = {
      {kRowDec, u"1-2x+. ,", "1-2"}, {kRowDec, u"1-2--", "1-2--"}, {kRowHex, u"ffg0aZ", "FF0A"},
      {kRowBin, u"10201", "1001"},   {kRowBin, u"1\x16", "1"},     {kRowDec, u"12\b3", "13"},
  };
  for (const auto& c : cases) {
    Put(c.row, "");
    view.Type(c.row, c.keys);
    EXPECT_EQ(Text(c.row), c.text) << c.text;
    ExpectInvariants();
  }
}

TEST_F(Window, FirstAndLastCharacterSwitchTheRow) {
  for (int16_t row = 0; row < kRowCount; ++row) {
    view.Type(row, u'1');
    EXPECT_TRUE(view.IsEnabled(Buttons::Update, row));
    EXPECT_TRUE(view.IsEnabled(Buttons::Copy, row));
    EXPECT_TRUE(view.IsEnabled(Buttons::Paste, row));
    view.Type(row, m_Helper::kBackspace);
    EXPECT_FALSE(view.IsEnabled(Buttons::Update, row));
    EXPECT_FALSE(view.IsEnabled(Buttons::Copy, row));
    EXPECT_FALSE(view.IsEnabled(Buttons::Paste, row));
  }
  Put(kRowDec, "-");  // a lone minus counts as text
  EXPECT_TRUE(view.IsEnabled(Buttons::Update, kRowDec));
}

TEST_F(Window, EnterMovesTheFocusToTheRowsUpdate) {
  for (int16_t row = 0; row < kRowCount; ++row) {
    view.Type(row, u'1');
    view.Type(row, m_Helper::kEnter);
    EXPECT_TRUE(view.ButtonHasFocus(Buttons::Update, row)) << row;
    EXPECT_EQ(Text(row), "1");
  }
}

TEST_F(Window, EnterInAnEmptyBoxKeepsTheFocus) {
  for (int16_t row = 0; row < kRowCount; ++row) {
    view.Type(row, m_Helper::kEnter);
    EXPECT_TRUE(view.BoxHasFocus(row)) << row;
  }
}

TEST_F(Window, KeyPressHandsBackTheFilteredCode) {
  int16_t key = 'f';
  form.txtHex_KeyPress(key);
  EXPECT_EQ(key, 'F');
  key = m_Helper::kEnter;
  form.txtBin_KeyPress(key);
  EXPECT_EQ(key, m_Helper::kEnter);
  key = '2';
  form.txtBin_KeyPress(key);
  EXPECT_EQ(key, 0);
}

// --- Copy and Paste ------------------------------------------------------------

TEST_F(Window, CopyPutsTheBoxTextAlone) {
  Put(kRowDec, "10");
  Put(kRowHex, "1F");
  Put(kRowBin, "1010");
  clipboard.text = u"old";
  ASSERT_TRUE(view.Click(Buttons::Copy, kRowHex));
  EXPECT_EQ(A(*clipboard.text), "1F");
  ASSERT_TRUE(view.Click(Buttons::Copy, kRowBin));
  EXPECT_EQ(A(*clipboard.text), "1010");
  Put(kRowHex, "A");
  ASSERT_TRUE(view.Click(Buttons::Copy, kCopyAll));
  EXPECT_EQ(A(*clipboard.text), "10<>A<>1010<>");
  Put(kRowDec, "255");
  Put(kRowHex, "FF");
  Put(kRowBin, "11111111");
  ASSERT_TRUE(view.Click(Buttons::Copy, kCopyAll));
  EXPECT_EQ(A(*clipboard.text), "255<>FF<>11111111<>");
}

struct PasteCase {
  int16_t row;
  std::string clip;
  std::string after;
};

TEST_F(Window, Paste) {
  const std::vector<PasteCase> cases = {
      {kRowHex, "ff", "ff"},       {kRowDec, "12abc", "old"},
      {kRowHex, "12abc", "12abc"}, {kRowBin, "12abc", "12abc"},
      {kRowDec, "-42", "-42"},     {kRowDec, "1,234.5", "1,234.5"},
      {kRowDec, "", "old"},        {kRowDec, std::string(30, '9'), std::string(30, '9')},
      {kRowDec, "old", "old"},     {kRowBin, " 1 0 ", " 1 0 "},
  };
  for (const auto& c : cases) {
    Put(c.row, "old");
    clipboard.text = U(c.clip);
    ASSERT_TRUE(view.Click(Buttons::Paste, c.row));
    EXPECT_EQ(Text(c.row), c.after) << c.clip;
    ExpectInvariants();
  }
}

TEST_F(Window, PastingNothingEmptiesHexAndBinary) {
  for (int16_t row : {kRowHex, kRowBin}) {
    Put(row, "1");
    clipboard.text.reset();
    ASSERT_TRUE(view.Click(Buttons::Paste, row));
    EXPECT_EQ(Text(row), "");
    EXPECT_FALSE(view.IsEnabled(Buttons::Paste, row));
  }
}

TEST_F(Window, DroppedTextFollowsThePasteRuleWhilePasteIsEnabled) {
  const std::vector<PasteCase> cases = {
      {kRowDec, "12abc", "old"}, {kRowDec, "-7", "-7"}, {kRowHex, "zz", "zz"},
      {kRowBin, "", ""},         {kRowDec, "", "old"},
  };
  for (const auto& c : cases) {
    Put(c.row, "old");
    view.Drop(c.row, U(c.clip));
    EXPECT_EQ(Text(c.row), c.after) << c.row << " " << c.clip;
    ExpectInvariants();
  }
  Put(kRowHex, "");  // Paste disabled: nothing comes in
  view.Drop(kRowHex, u"1F");
  EXPECT_EQ(Text(kRowHex), "");
}

TEST_F(Window, AFailingClipboardEndsTheCommandOnly) {
  Put(kRowDec, "1");
  Put(kRowHex, "2");
  Put(kRowBin, "11");
  clipboard.text = u"99";
  clipboard.failing = true;
  for (int16_t i = 0; i <= kCopyAll; ++i) ASSERT_TRUE(view.Click(Buttons::Copy, i));
  for (int16_t i = 0; i < kRowCount; ++i) ASSERT_TRUE(view.Click(Buttons::Paste, i));
  EXPECT_EQ(Text(kRowDec), "1");
  EXPECT_EQ(Text(kRowHex), "2");
  EXPECT_EQ(Text(kRowBin), "11");
  EXPECT_EQ(A(*clipboard.text), "99");
  clipboard.failing = false;
  ASSERT_TRUE(view.Click(Buttons::Paste, kRowDec));
  EXPECT_EQ(Text(kRowDec), "99");
  ExpectInvariants();
}

// --- German separators -----------------------------------------------------------

// --- What screen readers are told -------------------------------------------

TEST_F(Window, EachResultIsToldOnceInTheCaptionsWords) {
  struct Step {
    std::function<void()> act;
    std::vector<std::string> told;  // nothing: the command is silent
  };
  const std::string ones(32, '1');
  const std::vector<Step> steps = {
      // Update tells the other two boxes, and a type it chose.
      {[&] { Put(kRowDec, "255"), Update(kRowDec); }, {"Hex FF, Binary 11111111, Byte"}},
      {[&] { Update(kRowDec); }, {"Hex FF, Binary 11111111"}},
      {[&] { Put(kRowDec, "-1"), Update(kRowDec); }, {"Hex FFFF, Binary 1111111111111111, Integer"}},
      // A bound that replaced the decimal text is told first.
      {[&] { Put(kRowDec, "99999999999"), Update(kRowDec); },
       {"Decimal 2147483647, Hex FFFFFF7F, Binary 11111111111111111111111101111111, Long"}},
      {[&] { Put(kRowDec, "-"), Update(kRowDec); }, {}},  // no number: nothing changed
      {[&] { Put(kRowHex, "FFFFFFFF"), Update(kRowHex); },
       {"Decimal 4.294967E+09, exactly 4294967295, Binary " + ones}},
      {[&] { Put(kRowBin, "1010"), Update(kRowBin); }, {"Decimal 10, Hex 0A"}},
      {[&] { Put(kRowHex, "123456789"), Update(kRowHex); }, {"Hex empty"}},
      // Copy tells what went onto the clipboard, and only that.
      {[&] { view.Click(Buttons::Copy, kRowBin); }, {"Copied Binary 1010"}},
      {[&] { Put(kRowHex, "A"), view.Click(Buttons::Copy, kCopyAll); },
       {"Copied Decimal 10, Hex A, Binary 1010"}},
      {[&] { clipboard.failing = true, view.Click(Buttons::Copy, kRowDec); }, {}},
      // Paste tells the row's text after it, taken or refused.
      {[&] { view.Click(Buttons::Paste, kRowDec); }, {"Decimal 10"}},
      {[&] { clipboard.failing = false, clipboard.text = u"abc", view.Click(Buttons::Paste, kRowDec); },
       {"Decimal 10"}},
      {[&] { view.Click(Buttons::Paste, kRowHex); }, {"Hex abc"}},
      {[&] { view.Drop(kRowBin, std::u16string(100, u'1')); }, {"Binary 100 characters"}},
      // Typing and options are the focused control's own: nothing more is said.
      {[&] { view.Type(kRowDec, u"5"), view.ClickOption(Options::Type, kLong); }, {}},
  };
  view.TakeAnnounced();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    steps[i].act();
    std::vector<std::string> told;
    for (const std::u16string& t : view.TakeAnnounced()) told.push_back(A(t));
    EXPECT_EQ(told, steps[i].told) << "step " << i;
  }
}

class GermanWindow : public Window {
 protected:
  GermanWindow() : Window(NumberFormat{u',', u'.'}) {}
};

TEST_F(GermanWindow, ReadsAndWritesWithADecimalComma) {
  view.ClickOption(Options::Display, kBig);
  Put(kRowHex, "01020304");
  Update(kRowHex);
  EXPECT_EQ(Text(kRowDec), "1,690906E+07");
  Update(kRowDec);
  EXPECT_EQ(Text(kRowHex), "01020304");
  view.ClickOption(Options::Type, kAutomatic);
  Put(kRowDec, "1.234,5");
  Update(kRowDec);
  EXPECT_EQ(Text(kRowHex), "04D2");
  clipboard.text = u"1,234.5";  // the English form is no number here
  ASSERT_TRUE(view.Click(Buttons::Paste, kRowDec));
  EXPECT_EQ(Text(kRowDec), "1.234,5");
  clipboard.text = u"255,5";
  ASSERT_TRUE(view.Click(Buttons::Paste, kRowDec));
  view.ClickOption(Options::Type, kAutomatic);
  Update(kRowDec);
  EXPECT_EQ(Text(kRowHex), "0100");
}

// --- Random use ------------------------------------------------------------------

std::u16string RandomText(std::mt19937& rng) {
  static const std::u16string pool = u"0123456789-+.,eEabcdefABCDEFxyz \t\u00E9\u202E\xD800\uFFFF";
  switch (rng() % 8) {
    case 0:
      return u"";
    case 1:
      return std::u16string(rng() % 100000, static_cast<char16_t>(pool[rng() % pool.size()]));
    default: {
      std::u16string s;
      const std::size_t length = rng() % 40;
      for (std::size_t i = 0; i < length; ++i) s += pool[rng() % pool.size()];
      return s;
    }
  }
}

TEST_F(Window, RandomUseKeepsTheInvariants) {
  std::mt19937 rng(4242);
  int updates[3] = {}, pastes = 0, copies = 0;
  for (int step = 0; step < 20000; ++step) {
    const auto row = static_cast<int16_t>(rng() % 3);
    switch (rng() % 9) {
      case 0:
      case 1:
        view.Type(row, static_cast<int16_t>(rng() % 2 ? u"0123456789-abcdefgG\b\r\t+ x"[rng() % 26] : rng()));
        break;
      case 2:
        view.Type(row, m_Helper::kBackspace);
        break;
      case 3:
        clipboard.text = RandomText(rng);
        pastes += view.Click(Buttons::Paste, row);
        break;
      case 4:
      case 5:
        updates[row] += view.Click(Buttons::Update, row);
        break;
      case 6:
        if (rng() % 2) {
          view.ClickOption(Options::Type, static_cast<int16_t>(rng() % 4));
        } else {
          view.ClickOption(Options::Display, static_cast<int16_t>(rng() % 2));
        }
        break;
      case 7:
        copies += view.Click(Buttons::Copy, static_cast<int16_t>(rng() % 4));
        break;
      case 8:
        clipboard.failing = !clipboard.failing;
        break;
    }
    ExpectInvariants();
    if (HasFailure()) FAIL() << "after step " << step;
  }
  // The walk reached every command often enough to mean something.
  for (int row = 0; row < kRowCount; ++row) EXPECT_GT(updates[row], 100) << row;
  EXPECT_GT(pastes, 100);
  EXPECT_GT(copies, 100);
}

}  // namespace
