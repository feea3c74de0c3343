// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "FakeView.h"
#include "frmMain.h"

// What must hold after every event: each row's Update, Copy and Paste are
// enabled exactly when its box holds text, and its flag says the same; Copy
// All exactly when all three do; the number type is a row of its table; the
// byte order follows its option. Returns the first broken rule, or "".
inline std::string BrokenWindowRule(const FakeView& view, const frmMain& form) {
  const WindowState& s = form.State();
  const bool has[] = {!view.GetText(kRowDec).empty(), !view.GetText(kRowHex).empty(),
                      !view.GetText(kRowBin).empty()};
  const bool flags[] = {s.HasDec, s.HasHex, s.HasBin};
  for (int16_t row = 0; row < kRowCount; ++row) {
    const std::string r = " of row " + std::to_string(row);
    if (view.IsEnabled(Buttons::Update, row) != has[row]) return "Update" + r;
    if (view.IsEnabled(Buttons::Copy, row) != has[row]) return "Copy" + r;
    if (view.IsEnabled(Buttons::Paste, row) != has[row]) return "Paste" + r;
    if (flags[row] != has[row]) return "flag" + r;
  }
  if (view.IsEnabled(Buttons::Copy, kCopyAll) != (has[0] && has[1] && has[2])) return "Copy All";
  if (s.TypeBits != 8 * s.TypeBytes) return "TypeBits";
  if (s.TypeBytes != 0 && s.TypeBytes != 1 && s.TypeBytes != 2 && s.TypeBytes != 4) return "TypeBytes";
  if (s.LittleEndian != view.IsSelected(Options::Display, 0)) return "LittleEndian";
  return {};
}
