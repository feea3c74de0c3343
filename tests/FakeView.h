// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Clipboard.h"
#include "View.h"

// A window without a toolkit: it keeps every control's state and runs the
// nested events as the real window does. Tests also act as the user
// through it (typing, clicking) and read what the View interface does not
// offer (enabled state, focus).
class FakeView final : public View {
 public:
  // Where the keyboard focus is: a box, a button or an option.
  struct Focus {
    enum Kind { Box, Button, Option } kind = Box;
    int16_t array = 0;  // Buttons or Options as a number, for buttons and options
    int16_t index = kRowDec;
    bool operator==(const Focus&) const = default;
  };

  void SetEvents(ViewEvents* events) override { events_ = events; }

  std::u16string GetText(int16_t row) const override { return ValidRow(row) ? texts_[Row(row)] : u""; }

  void SetText(int16_t row, const std::u16string& text) override {
    if (!ValidRow(row) || texts_[Row(row)] == text) return;
    texts_[Row(row)] = text;
    descriptions_[Row(row)].clear();
    if (events_) events_->TextChanged(row);
  }

  void SetEnabled(Buttons array, int16_t index, bool enabled) override {
    if (ValidButton(array, index)) enabled_[Arr(array)][Idx(index)] = enabled;
  }

  void Select(Options array, int16_t index) override {
    if (!ValidOption(array, index)) return;
    selected_[Opt(array)].fill(false);
    selected_[Opt(array)][Idx(index)] = true;
    if (events_) events_->OptionClicked(array, index);
  }

  bool IsSelected(Options array, int16_t index) const override {
    return ValidOption(array, index) && selected_[Opt(array)][Idx(index)];
  }

  void SetFocus(Buttons array, int16_t index) override {
    if (ValidButton(array, index) && enabled_[Arr(array)][Idx(index)]) {
      focus_ = {Focus::Button, static_cast<int16_t>(array), index};
    }
  }

  int16_t Count(Buttons array) const override { return CountOf(array); }

  void SetDescription(int16_t row, const std::u16string& text) override {
    if (ValidRow(row)) descriptions_[Row(row)] = text;
  }

  void Announce(const std::u16string& text) override { announced_.push_back(text); }

  // --- The user's side ---------------------------------------------------

  std::u16string Description(int16_t row) const { return ValidRow(row) ? descriptions_[Row(row)] : u""; }
  bool IsEnabled(Buttons array, int16_t index) const {
    return ValidButton(array, index) && enabled_[Arr(array)][Idx(index)];
  }
  Focus FocusedControl() const { return focus_; }
  // What screen readers were told, oldest first; taking it clears it.
  std::vector<std::u16string> TakeAnnounced() { return std::exchange(announced_, {}); }
  bool ButtonHasFocus(Buttons array, int16_t index) const {
    return focus_ == Focus{Focus::Button, static_cast<int16_t>(array), index};
  }
  bool BoxHasFocus(int16_t row) const { return focus_ == Focus{Focus::Box, 0, row}; }
  void FocusBox(int16_t row) {
    if (ValidRow(row)) focus_ = {Focus::Box, 0, row};
  }

  // Types one key into a box as a single-line text box does: the key-press
  // event decides; backspace deletes the last character, Enter and tab
  // insert nothing.
  void Type(int16_t row, int16_t code) {
    if (!ValidRow(row)) return;
    FocusBox(row);
    int16_t key = code;
    if (events_) events_->KeyPress(row, key);
    std::u16string text = texts_[Row(row)];
    if (EffectOf(key) == KeyEffect::DeleteBack) {
      if (!text.empty()) text.pop_back();
    } else if (EffectOf(key) == KeyEffect::Insert) {
      text += static_cast<char16_t>(key);
    }
    SetText(row, text);
  }
  void Type(int16_t row, std::u16string_view keys) {
    for (char16_t c : keys) Type(row, static_cast<int16_t>(c));
  }

  // A user's click reaches only an enabled button.
  bool Click(Buttons array, int16_t index) {
    if (!IsEnabled(array, index)) return false;
    focus_ = {Focus::Button, static_cast<int16_t>(array), index};
    if (events_) events_->ButtonClicked(array, index);
    return true;
  }
  // Text dropped onto a box.
  void Drop(int16_t row, const std::u16string& text) {
    if (ValidRow(row) && events_) events_->TextOffered(row, text);
  }
  void ClickOption(Options array, int16_t index) {
    if (!ValidOption(array, index)) return;
    focus_ = {Focus::Option, static_cast<int16_t>(array), index};
    Select(array, index);
  }

 private:
  static bool ValidRow(int16_t row) { return row >= 0 && row < kRowCount; }
  static bool ValidButton(Buttons array, int16_t index) { return index >= 0 && index < CountOf(array); }
  static bool ValidOption(Options array, int16_t index) { return index >= 0 && index < CountOf(array); }
  static std::size_t Row(int16_t row) { return static_cast<std::size_t>(row); }
  static std::size_t Idx(int16_t index) { return static_cast<std::size_t>(index); }
  static std::size_t Arr(Buttons array) { return static_cast<std::size_t>(array); }
  static std::size_t Opt(Options array) { return static_cast<std::size_t>(array); }

  ViewEvents* events_ = nullptr;
  std::array<std::u16string, kRowCount> texts_{};
  std::array<std::u16string, kRowCount> descriptions_{};
  // Every control starts enabled and no option chosen. One row for each
  // button array (Update, Copy, Paste) and each option group, as long as
  // the longest.
  using Flags = std::array<bool, std::max(kCopyCount, kTypeCount)>;
  std::array<Flags, 3> enabled_ = [] {
    std::array<Flags, 3> all{};
    for (Flags& flags : all) flags.fill(true);
    return all;
  }();
  std::array<Flags, 2> selected_{};
  Focus focus_{};
  std::vector<std::u16string> announced_;
};

// A clipboard in memory that can be told to fail.
class FakeClipboard final : public Clipboard {
 public:
  bool failing = false;
  std::optional<std::u16string> text;  // nothing: the clipboard holds no text
  int writes = 0;

  bool Clear() override {
    if (failing) return false;
    text.reset();
    return true;
  }
  bool SetText(const std::u16string& t) override {
    if (failing) return false;
    text = t;
    ++writes;
    return true;
  }
  std::optional<std::u16string> GetText() override {
    if (failing) return std::nullopt;
    return text.value_or(u"");
  }
};
