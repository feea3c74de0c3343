// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "View.h"

// Drives one View implementation as a user would, and reads what the View
// interface itself does not offer. Each implementation's tests supply one.
class ViewHarness {
 public:
  virtual ~ViewHarness() = default;
  virtual View& view() = 0;
  virtual bool IsEnabled(Buttons array, int16_t index) = 0;
  virtual bool ButtonHasFocus(Buttons array, int16_t index) = 0;
  virtual bool BoxHasFocus(int16_t row) = 0;
  virtual void FocusBox(int16_t row) = 0;
  // The box's description as the user meets it (tooltip, screen reader).
  virtual std::u16string Description(int16_t row) = 0;
  // One key with a character, through the implementation's own key path.
  virtual void TypeKey(int16_t row, char16_t key) = 0;
  virtual void ClickOption(Options array, int16_t index) = 0;
  // False when the button could not be clicked (disabled).
  virtual bool ClickButton(Buttons array, int16_t index) = 0;
  // What screen readers were told since the last call, as the platform's
  // mechanism carried it; nothing where that cannot be seen from inside
  // the process (then a real screen reader's test shows it).
  virtual std::optional<std::vector<std::u16string>> TakeTold() = 0;
};

using HarnessFactory = std::function<std::unique_ptr<ViewHarness>()>;

// The contract every View meets; instantiate it with a factory:
//   INSTANTIATE_TEST_SUITE_P(Fake, ViewContract, ::testing::Values(factory));
class ViewContract : public ::testing::TestWithParam<HarnessFactory> {
 protected:
  void SetUp() override { harness = GetParam()(); }
  std::unique_ptr<ViewHarness> harness;
};
