// SPDX-License-Identifier: MIT
#include "FakeView.h"

#include "ViewContract.h"

namespace {

class FakeHarness final : public ViewHarness {
 public:
  View& view() override { return fake; }
  bool IsEnabled(Buttons array, int16_t index) override { return fake.IsEnabled(array, index); }
  bool ButtonHasFocus(Buttons array, int16_t index) override { return fake.ButtonHasFocus(array, index); }
  bool BoxHasFocus(int16_t row) override { return fake.BoxHasFocus(row); }
  void FocusBox(int16_t row) override { fake.FocusBox(row); }
  std::u16string Description(int16_t row) override { return fake.Description(row); }
  void TypeKey(int16_t row, char16_t key) override { fake.Type(row, static_cast<int16_t>(key)); }
  void ClickOption(Options array, int16_t index) override { fake.ClickOption(array, index); }
  bool ClickButton(Buttons array, int16_t index) override { return fake.Click(array, index); }
  std::optional<std::vector<std::u16string>> TakeTold() override { return fake.TakeAnnounced(); }

  FakeView fake;
};

INSTANTIATE_TEST_SUITE_P(Fake, ViewContract,
                         ::testing::Values(HarnessFactory([] { return std::make_unique<FakeHarness>(); })));

}  // namespace
