// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "m_Helper.h"

// Rows of the window; each row's box and buttons share its index.
constexpr int16_t kRowDec = 0;
constexpr int16_t kRowHex = 1;
constexpr int16_t kRowBin = 2;
constexpr int16_t kRowCount = 3;
// The "Copy All" member of the copy buttons, after one for each row.
constexpr int16_t kCopyAll = kRowCount;
constexpr int16_t kCopyCount = kCopyAll + 1;
// The number type options, and the byte order options.
constexpr int16_t kAutomatic = 0, kByte = 1, kInteger = 2, kLong = 3;
constexpr int16_t kTypeCount = kLong + 1;
constexpr int16_t kLittle = 0, kBig = 1;
constexpr int16_t kDisplayCount = kBig + 1;

// Button arrays: one Update, Copy and Paste button per row, and Copy All.
enum class Buttons : int16_t { Update, Copy, Paste };
// Option groups: the number type and the byte order.
enum class Options : int16_t { Type, Display };

constexpr int16_t CountOf(Buttons array) { return array == Buttons::Copy ? kCopyCount : kRowCount; }
constexpr int16_t CountOf(Options array) { return array == Options::Type ? kTypeCount : kDisplayCount; }

// What a box does with the code its key-press handler answers: a backspace
// deletes the character before the cursor; 0, tab and Enter put nothing in;
// any other code is typed as its character.
enum class KeyEffect { None, DeleteBack, Insert };
constexpr KeyEffect EffectOf(int16_t code) {
  if (code == m_Helper::kBackspace) return KeyEffect::DeleteBack;
  if (code == 0 || code == m_Helper::kTab || code == m_Helper::kEnter) return KeyEffect::None;
  return KeyEffect::Insert;
}

// What the window reports to its logic. Handlers run synchronously.
class ViewEvents {
 public:
  // A box's text has changed (typed, pasted or set by the program).
  virtual void TextChanged(int16_t row) = 0;
  // A key with a character was typed into a box: `key` is its code and is
  // replaced by the code the box is to receive (0 discards the key).
  virtual void KeyPress(int16_t row, int16_t& key) = 0;
  virtual void ButtonClicked(Buttons array, int16_t index) = 0;
  virtual void OptionClicked(Options array, int16_t index) = 0;
  // Text reached a box by a path of the toolkit's own (a drop, the middle
  // button's selection); the box is unchanged until the logic sets it.
  virtual void TextOffered(int16_t row, const std::u16string& text) = 0;

 protected:
  ~ViewEvents() = default;
};

// The window's controls as the logic sees them. Controls are addressed by
// row or array index; an index outside its array is ignored (reads give
// the empty text, false or 0).
class View {
 public:
  virtual ~View() = default;

  // Where events go; null stops them.
  virtual void SetEvents(ViewEvents* events) = 0;

  virtual std::u16string GetText(int16_t row) const = 0;
  // Replaces a box's text. When the text changes, TextChanged runs before
  // this returns.
  virtual void SetText(int16_t row, const std::u16string& text) = 0;
  virtual void SetEnabled(Buttons array, int16_t index, bool enabled) = 0;
  // Chooses one option, clears the others of its group and runs
  // OptionClicked before this returns (also when it was already chosen).
  virtual void Select(Options array, int16_t index) = 0;
  virtual bool IsSelected(Options array, int16_t index) const = 0;
  // Moves the keyboard focus to a button; a disabled button cannot take it,
  // and then the focus stays where it was.
  virtual void SetFocus(Buttons array, int16_t index) = 0;
  virtual int16_t Count(Buttons array) const = 0;
  // A note on a box's value, shown as its tooltip and read by screen
  // readers; "" removes it. Any change of the box's text removes it too.
  virtual void SetDescription(int16_t row, const std::u16string& text) = 0;
  // Tells screen readers a command's result, once and politely (after what
  // they are saying). Nothing is shown: it is what the eye sees in the
  // window, told to the ear.
  virtual void Announce(const std::u16string& text) = 0;
};
