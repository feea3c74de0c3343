// SPDX-License-Identifier: MIT
// Prints the window's control table for scripts that click on it: one line
// a control, its name and its place in the window (left, top, width,
// height) in pixels at 96 dpi; first the client area itself, as "window".
#include <cstdio>

#include "Layout.h"

int main() {
  std::printf("window 0 0 %d %d\n", Layout::kWidth, Layout::kHeight);
  for (const Layout::Control& c : Layout::kControls) {
    const Layout::Rect r = Layout::InWindow(c);
    std::printf("%s %d %d %d %d\n", c.name, r.left, r.top, r.width, r.height);
  }
  return 0;
}
