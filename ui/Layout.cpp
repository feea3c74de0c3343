// SPDX-License-Identifier: MIT
#include "Layout.h"

#include <string_view>

namespace Layout {

const Control* ContainerOf(const Control& c) {
  if (std::string_view(c.container).empty()) return nullptr;
  for (const Control& frame : kControls) {
    if (std::string_view(frame.name) == c.container) return &frame;
  }
  return nullptr;
}

namespace {

std::u16string CaptionOf(Kind kind, int16_t index) {
  for (const Control& c : kControls) {
    if (c.kind == kind && c.index == index) {
      const std::string_view caption(c.caption);  // captions are ASCII
      return {caption.begin(), caption.end()};
    }
  }
  return {};
}

}  // namespace

std::u16string RowCaption(int16_t row) { return CaptionOf(Kind::Label, row); }
std::u16string TypeCaption(int16_t index) { return CaptionOf(Kind::TypeOption, index); }

Rect InWindow(const Control& c) {
  Rect r = Pixels(c);
  if (const Control* frame = ContainerOf(c)) {
    const Rect f = Pixels(*frame);
    r.left += f.left;
    r.top += f.top;
  }
  return r;
}

}  // namespace Layout
