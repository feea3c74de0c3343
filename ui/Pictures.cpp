// SPDX-License-Identifier: MIT
#include "Pictures.h"

#include <cmath>

namespace Pictures {
namespace {

constexpr uint32_t kInk = 0xFF000000;
constexpr uint32_t kPaper = 0xFFFFFFFF;
constexpr uint32_t kLines = 0xFF000080;
constexpr uint32_t kBoard = 0xFFA06020;
constexpr uint32_t kBoardEdge = 0xFF603000;
constexpr uint32_t kClip = 0xFF808080;

// Fills whole logical pixels [x, x+w) × [y, y+h) at the picture's scale.
class Canvas {
 public:
  Canvas(double scale) : scale_(scale) {
    pixels_.width = Device(kWidth);
    pixels_.height = Device(kHeight);
    pixels_.argb.assign(static_cast<std::size_t>(pixels_.width) * static_cast<std::size_t>(pixels_.height),
                        kButtonFace);
  }
  void Fill(int x, int y, int w, int h, uint32_t color) {
    for (int row = Device(y); row < Device(y + h) && row < pixels_.height; ++row) {
      for (int col = Device(x); col < Device(x + w) && col < pixels_.width; ++col) {
        pixels_.argb[static_cast<std::size_t>(row) * static_cast<std::size_t>(pixels_.width) +
                     static_cast<std::size_t>(col)] = color;
      }
    }
  }
  // A bordered rectangle.
  void Box(int x, int y, int w, int h, uint32_t edge, uint32_t fill) {
    Fill(x, y, w, h, edge);
    Fill(x + 1, y + 1, w - 2, h - 2, fill);
  }
  // A sheet: border, paper and three lines of text.
  void Sheet(int x, int y, int w, int h) {
    Box(x, y, w, h, kInk, kPaper);
    for (int line = 0; line < 3 && 2 + 2 * line < h - 2; ++line) {
      Fill(x + 2, y + 2 + 2 * line, w - 4 - (line == 2 ? 2 : 0), 1, kLines);
    }
  }
  Pixels Take() { return std::move(pixels_); }

 private:
  int Device(int logical) const { return static_cast<int>(std::lround(logical * scale_)); }

  double scale_;
  Pixels pixels_;
};

}  // namespace

Pixels Draw(Picture picture, double scale) {
  Canvas c(scale > 0 ? scale : 1.0);
  if (picture == Picture::Copy) {
    c.Sheet(1, 1, 9, 10);
    c.Sheet(6, 4, 9, 10);
  } else {
    c.Box(1, 2, 11, 12, kBoardEdge, kBoard);  // the board
    c.Box(4, 1, 5, 3, kInk, kClip);           // its clip
    c.Sheet(7, 6, 8, 9);                      // the sheet on it
  }
  return c.Take();
}

}  // namespace Pictures
