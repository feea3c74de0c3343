// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "View.h"

// The window's controls, where each sits and what it says: one table that
// every front-end builds its window from.
namespace Layout {

// The window's title, also the name of its errors on Windows.
inline constexpr char16_t kTitle[] = u"Dec to Hex to Bin";

// Positions are in twips: 15 to a pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;
// The client area, in pixels at 96 dpi.
constexpr int kWidth = 442;
constexpr int kHeight = 256;

// The boxes' font size (Courier New or its metric twin), and the captions'
// (a small sans serif), in pixels at 96 dpi.
constexpr double kBoxPointSize = 9.75;
constexpr int kCaptionPixelSize = 10;

enum class Kind { Box, Label, Button, Frame, TypeOption, DisplayOption, CopyPicture, PastePicture };

// One control. Positions and sizes in twips, relative to the window or to
// the frame that contains it.
struct Control {
  const char* name;
  Kind kind;
  const char* container;  // "" for the window
  const char* caption;
  int left, top, width, height;
  int16_t index;        // row or array index
  const char* tooltip;  // what a button does, also its name for screen readers
};

// The whole window, in tab order.
inline constexpr Control kControls[] = {
    {"txtDec", Kind::Box, "", "", 120, 2040, 2235, 360, kRowDec, ""},
    {"txtHex", Kind::Box, "", "", 120, 2700, 4455, 360, kRowHex, ""},
    {"txtBin", Kind::Box, "", "", 120, 3360, 4455, 360, kRowBin, ""},
    {"lblDec", Kind::Label, "", "Decimal", 180, 1800, 2175, 195, kRowDec, ""},
    {"Label2", Kind::Label, "", "Hex", 120, 2460, 4455, 195, kRowHex, ""},
    {"Label3", Kind::Label, "", "Binary", 120, 3120, 4455, 195, kRowBin, ""},
    {"cmdUpdate(0)", Kind::Button, "", "Update", 2520, 2040, 795, 360, 0, "Update from Decimal"},
    {"cmdUpdate(1)", Kind::Button, "", "Update", 4740, 2700, 795, 360, 1, "Update from Hex"},
    {"cmdUpdate(2)", Kind::Button, "", "Update", 4740, 3360, 795, 360, 2, "Update from Binary"},
    {"Frame1", Kind::Frame, "", "Types", 120, 60, 3075, 1575, 0, ""},
    {"Frame2", Kind::Frame, "", "Display", 3300, 60, 3195, 1575, 0, ""},
    {"optType(0)", Kind::TypeOption, "Frame1", "Automatic", 240, 300, 2295, 255, 0, ""},
    {"optType(1)", Kind::TypeOption, "Frame1", "Byte", 240, 600, 2295, 255, 1, ""},
    {"optType(2)", Kind::TypeOption, "Frame1", "Integer", 240, 900, 2295, 255, 2, ""},
    {"optType(3)", Kind::TypeOption, "Frame1", "Long", 240, 1200, 2295, 255, 3, ""},
    {"optDisplay(0)", Kind::DisplayOption, "Frame2", "Little Endian (X86)", 120, 240, 1635, 315, 0, ""},
    {"optDisplay(1)", Kind::DisplayOption, "Frame2", "Big Endian", 120, 720, 1635, 315, 1, ""},
    {"Label1", Kind::Label, "Frame2", "1,234  => 4321", 480, 540, 1395, 195, -1, ""},
    {"Label4", Kind::Label, "Frame2", "1,234  => 1234", 420, 1020, 1395, 195, -1, ""},
    {"Label5", Kind::Label, "Frame2", "Will work only from Decimal to...", 120, 1260, 2535, 255, -1, ""},
    {"cmdCopy(0)", Kind::CopyPicture, "", "", 3420, 2040, 375, 375, 0, "Copy Decimal"},
    {"cmdPaste(0)", Kind::PastePicture, "", "", 3900, 2040, 375, 375, 0, "Paste Decimal"},
    {"cmdCopy(1)", Kind::CopyPicture, "", "", 5640, 2700, 375, 375, 1, "Copy Hex"},
    {"cmdCopy(2)", Kind::CopyPicture, "", "", 5640, 3360, 375, 375, 2, "Copy Binary"},
    {"cmdPaste(1)", Kind::PastePicture, "", "", 6120, 2700, 375, 375, 1, "Paste Hex"},
    {"cmdPaste(2)", Kind::PastePicture, "", "", 6120, 3360, 375, 375, 2, "Paste Binary"},
    {"Frame3", Kind::Frame, "", "Copy All", 4620, 1680, 1875, 855, 0, ""},
    {"cmdCopy(3)", Kind::CopyPicture, "Frame3", "", 1020, 300, 375, 375, kCopyAll, "Copy All"},
};

// A control's place in pixels at 96 dpi, relative to its container.
struct Rect {
  int left, top, width, height;
};
constexpr Rect Pixels(const Control& c) {
  return {c.left / kTwipsPerPixel, c.top / kTwipsPerPixel, c.width / kTwipsPerPixel,
          c.height / kTwipsPerPixel};
}

// The frame a control sits in, or null when it sits on the window.
const Control* ContainerOf(const Control& c);
// A control's place in pixels at 96 dpi, relative to the window.
Rect InWindow(const Control& c);

// The caption of a row's label ("Hex") and of a number type option
// ("Byte"); "" outside their arrays.
std::u16string RowCaption(int16_t row);
std::u16string TypeCaption(int16_t index);

}  // namespace Layout
