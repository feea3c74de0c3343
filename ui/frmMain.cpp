// SPDX-License-Identifier: MIT
#include "frmMain.h"

#include <limits>
#include <optional>
#include <string>

#include "Layout.h"
#include "m_AllBinTo.h"
#include "m_Helper.h"

namespace {

constexpr int16_t kMaxHexLength = 8;
constexpr int16_t kMaxBinLength = 32;

// The number types: option index to byte count and bit width.
struct NumberType {
  int16_t bytes;
  int16_t bits;
};
constexpr NumberType kTypes[] = {{0, 0}, {1, 8}, {2, 16}, {4, 32}};
static_assert(std::size(kTypes) == kTypeCount);

// The exact unsigned value of the bytes a hex or binary text stands for,
// the same bytes the single-precision conversions read. Texts are at most
// 8 hex or 32 binary characters here, so the value fits.
uint64_t ExactValue(const std::u16string& text, bool hex, bool littleEndian) {
  uint64_t value = 0;
  for (const uint8_t byte :
       hex ? m_AllBinTo::HexBytes(text, littleEndian) : m_AllBinTo::BinBytes(text, littleEndian)) {
    value = value << 8 | byte;
  }
  return value;
}

std::u16string DecimalDigits(uint64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// A box as a screen reader is told it, by its caption: "Hex FF". A text
// too long to listen to is told by its length.
std::u16string Told(int16_t row, const std::u16string& text) {
  constexpr std::size_t kLongest = 64;
  std::u16string said = Layout::RowCaption(row) + u' ';
  if (text.empty()) return said + u"empty";
  if (text.size() <= kLongest) return said + text;
  const std::string length = std::to_string(text.size());
  return said + std::u16string(length.begin(), length.end()) + u" characters";
}

}  // namespace

frmMain::frmMain(View& view, Clipboard& clipboard, NumberFormat format)
    : view_(view), clipboard_(clipboard), format_(format) {
  view_.SetEvents(this);
}

frmMain::~frmMain() { view_.SetEvents(nullptr); }

void frmMain::Form_Load() {
  view_.SetText(kRowBin, u"");
  view_.SetText(kRowHex, u"");
  view_.SetText(kRowDec, u"");
  for (int16_t row = 0; row < kRowCount; ++row) view_.SetEnabled(Buttons::Update, row, false);
  view_.Select(Options::Type, kAutomatic);
  view_.Select(Options::Display, kLittle);
  for (int16_t i = 0; i < view_.Count(Buttons::Copy); ++i) view_.SetEnabled(Buttons::Copy, i, false);
  for (int16_t i = 0; i < view_.Count(Buttons::Paste); ++i) view_.SetEnabled(Buttons::Paste, i, false);
}

void frmMain::optType_Click(int16_t index) {
  if (index < 0 || index >= static_cast<int16_t>(std::size(kTypes))) return;
  state_.TypeBytes = kTypes[index].bytes;
  state_.TypeBits = kTypes[index].bits;
}

void frmMain::optDisplay_Click(int16_t index) { state_.LittleEndian = index == kLittle; }

void frmMain::RefreshCopyAll() {
  view_.SetEnabled(Buttons::Copy, kCopyAll, state_.HasDec && state_.HasBin && state_.HasHex);
}

void frmMain::FitTypeToValue(int16_t index) {
  if (index != kRowDec) return;
  const std::optional<DecimalNumber> v = ReadDecimal(view_.GetText(kRowDec), format_);
  if (!v) return;  // the Update checks the text before it gets here
  const bool fitsByte = CompareTo(*v, 0) >= 0 && CompareTo(*v, 255) <= 0;
  const bool fitsInteger = CompareTo(*v, -32768) >= 0 && CompareTo(*v, 32767) <= 0;

  if (view_.IsSelected(Options::Type, kAutomatic)) {
    view_.Select(Options::Type, fitsByte ? kByte : fitsInteger ? kInteger : kLong);
    return;
  }
  const bool byteChosen = view_.IsSelected(Options::Type, kByte);
  const bool integerChosen = view_.IsSelected(Options::Type, kInteger);
  if (!fitsInteger && (byteChosen || integerChosen)) {
    view_.Select(Options::Type, kLong);
  } else if (byteChosen && !fitsByte) {
    view_.Select(Options::Type, kInteger);
  }
}

int16_t frmMain::ChosenType() const {
  for (int16_t i = 0; i < kTypeCount; ++i) {
    if (view_.IsSelected(Options::Type, i)) return i;
  }
  return -1;
}

std::u16string frmMain::ToldRow(int16_t row) const { return Told(row, view_.GetText(row)); }

void frmMain::cmdUpdate_Click(int16_t index) {
  if (index == kRowDec) {
    UpdateFromDecimal();
  } else if (index == kRowHex || index == kRowBin) {
    UpdateFromText(index);
  }
}

void frmMain::UpdateFromDecimal() {
  const std::optional<DecimalNumber> x = ReadDecimal(view_.GetText(kRowDec), format_);
  // Text that is no number (a lone minus, "1-2") converts nothing.
  if (!x) return;
  const bool clamped = CompareTo(*x, std::numeric_limits<int32_t>::min()) < 0 ||
                       CompareTo(*x, std::numeric_limits<int32_t>::max()) > 0;
  if (CompareTo(*x, std::numeric_limits<int32_t>::min()) < 0) {
    view_.SetText(kRowDec, u"-2147483648");
  } else if (CompareTo(*x, std::numeric_limits<int32_t>::max()) > 0) {
    view_.SetText(kRowDec, u"2147483647");
  }
  const int16_t typeBefore = ChosenType();
  FitTypeToValue(kRowDec);
  const int16_t last = static_cast<int16_t>(state_.TypeBytes - 1);

  // Each read goes back to the box, which may have been rewritten above.
  auto readValue = [this] {
    const std::optional<DecimalNumber> v = ReadDecimal(view_.GetText(kRowDec), format_);
    return v ? RoundToInt32(*v) : 0;
  };
  const std::vector<std::u16string> groups =
      m_AllBinTo::DecToBinBytes(readValue(), state_.TypeBits, state_.LittleEndian);
  std::u16string binary;
  if (!groups.empty()) {
    if (state_.TypeBytes <= 1) {
      binary = groups[0];
    } else {
      for (int16_t i = 0; i <= last && static_cast<std::size_t>(i) < groups.size(); ++i) binary += groups[i];
    }
  }
  view_.SetText(kRowBin, binary);
  view_.SetText(kRowHex, m_AllBinTo::DecToHex(readValue(), state_.TypeBits, state_.LittleEndian));

  // The ear is told what changed away from the Update button: a bound that
  // replaced the decimal text, the other two boxes, a new number type.
  std::u16string told = clamped ? ToldRow(kRowDec) + u", " : u"";
  told += ToldRow(kRowHex) + u", " + ToldRow(kRowBin);
  if (ChosenType() != typeBefore) told += u", " + Layout::TypeCaption(ChosenType());
  view_.Announce(told);
}

void frmMain::UpdateFromText(int16_t source) {
  const bool hex = source == kRowHex;
  const std::u16string text = view_.GetText(source);
  if (text.size() > static_cast<std::size_t>(hex ? kMaxHexLength : kMaxBinLength)) {
    view_.SetText(source, u"");
    view_.Announce(ToldRow(source));
    return;
  }
  const float value =
      hex ? m_AllBinTo::HexToDec(text, state_.LittleEndian) : m_AllBinTo::BinToDec(text, state_.LittleEndian);
  const std::u16string decimal = WriteSingle(value, format_);
  view_.SetText(kRowDec, decimal);
  // Seven digits are not always the value: tell the exact one beside it.
  const std::u16string exact = DecimalDigits(ExactValue(text, hex, state_.LittleEndian));
  view_.SetDescription(kRowDec, exact != decimal ? u"exactly " + exact : u"");
  if (hex) {
    view_.SetText(kRowBin, m_AllBinTo::HexToBin(text));
  } else {
    view_.SetText(kRowHex, m_AllBinTo::BinToHex(text));
  }
  const int16_t other = hex ? kRowBin : kRowHex;
  view_.Announce(ToldRow(kRowDec) + (exact != decimal ? u", exactly " + exact : u"") + u", " +
                 ToldRow(other));
}

void frmMain::RowChanged(int16_t row, bool& flag) {
  const bool hasText = !view_.GetText(row).empty();
  view_.SetEnabled(Buttons::Update, row, hasText);
  view_.SetEnabled(Buttons::Copy, row, hasText);
  view_.SetEnabled(Buttons::Paste, row, hasText);
  flag = hasText;
  RefreshCopyAll();
}

void frmMain::txtDec_Change() { RowChanged(kRowDec, state_.HasDec); }
void frmMain::txtHex_Change() { RowChanged(kRowHex, state_.HasHex); }
void frmMain::txtBin_Change() { RowChanged(kRowBin, state_.HasBin); }

void frmMain::RowKeyPress(int16_t row, int16_t (*filter)(int16_t), int16_t& key) {
  key = filter(key);
  // Enter hands the focus to the row's Update button; in an empty box that
  // button is disabled and the focus stays in the box.
  if (key == m_Helper::kEnter) view_.SetFocus(Buttons::Update, row);
}

void frmMain::txtDec_KeyPress(int16_t& KeyAscii) { RowKeyPress(kRowDec, m_Helper::FilterDecKey, KeyAscii); }
void frmMain::txtHex_KeyPress(int16_t& KeyAscii) { RowKeyPress(kRowHex, m_Helper::FilterHexKey, KeyAscii); }
void frmMain::txtBin_KeyPress(int16_t& KeyAscii) { RowKeyPress(kRowBin, m_Helper::FilterBinKey, KeyAscii); }

void frmMain::cmdCopy_Click(int16_t index) {
  if (index < 0 || index > kCopyAll) return;
  // A clipboard that fails ends the command; the boxes are only read.
  if (!clipboard_.Clear()) return;
  std::u16string text;
  std::u16string told = u"Copied ";
  if (index == kCopyAll) {
    for (int16_t row : {kRowDec, kRowHex, kRowBin}) {
      text += view_.GetText(row) + u"<>";
      told += ToldRow(row) + (row == kRowBin ? u"" : u", ");
    }
  } else {
    text = view_.GetText(index);
    told += ToldRow(index);
  }
  // Only what really went onto the clipboard is told.
  if (clipboard_.SetText(text)) view_.Announce(told);
}

void frmMain::cmdPaste_Click(int16_t index) {
  const std::optional<std::u16string> text = clipboard_.GetText();
  if (text) {
    PasteInto(index, *text);
  } else if (index >= 0 && index < kRowCount) {
    view_.Announce(ToldRow(index));  // unchanged: the clipboard could not be read
  }
}

void frmMain::txt_TextOffered(int16_t row, const std::u16string& text) {
  // A row's Paste button is enabled exactly while its box holds text.
  const bool canPaste = (row == kRowDec && state_.HasDec) || (row == kRowHex && state_.HasHex) ||
                        (row == kRowBin && state_.HasBin);
  if (canPaste) PasteInto(row, text);
}

void frmMain::PasteInto(int16_t row, const std::u16string& text) {
  if (row == kRowDec) {
    if (ReadDecimal(text, format_)) view_.SetText(kRowDec, text);
  } else if (row == kRowHex || row == kRowBin) {
    view_.SetText(row, text);
  } else {
    return;
  }
  // The row's text after the paste, also when it refused the text.
  view_.Announce(ToldRow(row));
}

void frmMain::TextChanged(int16_t row) {
  if (row == kRowDec) txtDec_Change();
  if (row == kRowHex) txtHex_Change();
  if (row == kRowBin) txtBin_Change();
}

void frmMain::KeyPress(int16_t row, int16_t& key) {
  if (row == kRowDec) txtDec_KeyPress(key);
  if (row == kRowHex) txtHex_KeyPress(key);
  if (row == kRowBin) txtBin_KeyPress(key);
}

void frmMain::ButtonClicked(Buttons array, int16_t index) {
  switch (array) {
    case Buttons::Update:
      cmdUpdate_Click(index);
      break;
    case Buttons::Copy:
      cmdCopy_Click(index);
      break;
    case Buttons::Paste:
      cmdPaste_Click(index);
      break;
  }
}

void frmMain::TextOffered(int16_t row, const std::u16string& text) { txt_TextOffered(row, text); }

void frmMain::OptionClicked(Options array, int16_t index) {
  if (array == Options::Type) optType_Click(index);
  if (array == Options::Display) optDisplay_Click(index);
}
