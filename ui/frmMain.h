// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "Clipboard.h"
#include "NumberText.h"
#include "View.h"

// What the window remembers: the number type, the byte order and which
// boxes hold text.
struct WindowState {
  int16_t TypeBytes = 0;  // 0 Automatic, 1 Byte, 2 Integer, 4 Long
  int16_t TypeBits = 0;   // 0, 8, 16, 32
  bool LittleEndian = false;
  bool HasDec = false;
  bool HasBin = false;
  bool HasHex = false;
};

// The "Dec to Hex to Bin" window's logic: its state and its event handlers.
// It talks to the controls only through View and to the clipboard only
// through Clipboard, so it runs the same on the real window and on a fake.
class frmMain final : public ViewEvents {
 public:
  frmMain(View& view, Clipboard& clipboard, NumberFormat format);
  ~frmMain();
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  const WindowState& State() const { return state_; }

  // Puts the window into its start-up state; run once before showing it.
  void Form_Load();
  void optType_Click(int16_t index);
  void optDisplay_Click(int16_t index);
  void cmdUpdate_Click(int16_t index);
  void txtDec_Change();
  void txtHex_Change();
  void txtBin_Change();
  void txtDec_KeyPress(int16_t& KeyAscii);
  void txtHex_KeyPress(int16_t& KeyAscii);
  void txtBin_KeyPress(int16_t& KeyAscii);
  void cmdCopy_Click(int16_t index);
  void cmdPaste_Click(int16_t index);
  // Dropped or middle-click text: the row's Paste rule on that text, while
  // the row's Paste button could be pressed.
  void txt_TextOffered(int16_t row, const std::u16string& text);

  // ViewEvents: routes each event to its handler.
  void TextChanged(int16_t row) override;
  void KeyPress(int16_t row, int16_t& key) override;
  void ButtonClicked(Buttons array, int16_t index) override;
  void OptionClicked(Options array, int16_t index) override;
  void TextOffered(int16_t row, const std::u16string& text) override;

 private:
  void RefreshCopyAll();
  // The chosen number type's option, -1 when none is.
  int16_t ChosenType() const;
  // A box's caption and text, as screen readers are told it.
  std::u16string ToldRow(int16_t row) const;
  void FitTypeToValue(int16_t index);

  void RowChanged(int16_t row, bool& flag);
  void RowKeyPress(int16_t row, int16_t (*filter)(int16_t), int16_t& key);
  void UpdateFromDecimal();
  void UpdateFromText(int16_t source);
  void PasteInto(int16_t row, const std::u16string& text);

  View& view_;
  Clipboard& clipboard_;
  NumberFormat format_;
  WindowState state_;
};
