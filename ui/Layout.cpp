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
