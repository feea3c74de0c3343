// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "View.h"

// A front-end's controls by the View's rows and arrays, and the one lookup
// of them: null outside the arrays. Box, Button and Option are the
// front-end's handle types.
template <typename Box, typename Button, typename Option>
struct Controls {
  std::array<Box, kRowCount> boxes{};
  std::array<Button, kRowCount> update{};
  std::array<Button, kCopyCount> copy{};
  std::array<Button, kRowCount> paste{};
  std::array<Option, kTypeCount> type{};
  std::array<Option, kDisplayCount> display{};

  Box BoxOf(int16_t row) const {
    return row >= 0 && row < kRowCount ? boxes[static_cast<std::size_t>(row)] : Box{};
  }
  Button ButtonOf(Buttons array, int16_t index) const {
    if (index < 0 || index >= CountOf(array)) return Button{};
    const auto i = static_cast<std::size_t>(index);
    switch (array) {
      case Buttons::Update:
        return update[i];
      case Buttons::Copy:
        return copy[i];
      case Buttons::Paste:
        return paste[i];
    }
    return Button{};
  }
  Option OptionOf(Options array, int16_t index) const {
    if (index < 0 || index >= CountOf(array)) return Option{};
    const auto i = static_cast<std::size_t>(index);
    return array == Options::Type ? type[i] : display[i];
  }
};
