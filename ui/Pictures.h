// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

// The copy and paste pictures of the buttons, as pixels that any front-end
// can show: drawn on whole logical pixels so that they stay sharp at every
// whole scale, never scaled-up bitmaps.
namespace Pictures {

// Logical size of the pictures.
constexpr int kWidth = 16;
constexpr int kHeight = 15;
// The classic button-face grey they are drawn on.
constexpr uint32_t kButtonFace = 0xFFC0C0C0;

enum class Picture { Copy, Paste };

// Two overlapping sheets of paper (Copy), or a clipboard holding a sheet
// (Paste), on the button face.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> argb;  // row by row, 0xAARRGGBB, opaque
};
// The picture at `scale` device pixels to a logical pixel: kWidth × scale by
// kHeight × scale, each rounded.
Pixels Draw(Picture picture, double scale);

}  // namespace Pictures
