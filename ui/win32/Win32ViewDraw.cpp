// SPDX-License-Identifier: MIT
// The window's drawing: its fonts and pictures, the labels it draws itself,
// the frames' captions and the picture buttons.
// clang-format off
#include <windows.h>  // before the headers that need it
// clang-format on
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>

#include "Win32Text.h"
#include "Win32View.h"

using Win32Text::Scale;
using Win32Text::Utf16;
using Win32Text::Wide;

namespace {

// The picture buttons' face, as 0x00RRGGBB: the classic grey their
// pictures are drawn on, or the system's own button face in high contrast.
uint32_t FaceColour() {
  HIGHCONTRASTW contrast{sizeof(contrast), 0, nullptr};
  if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
      (contrast.dwFlags & HCF_HIGHCONTRASTON)) {
    const COLORREF c = GetSysColor(COLOR_BTNFACE);
    return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 |
           GetBValue(c);
  }
  return Pictures::kButtonFace & 0xFFFFFF;
}

}  // namespace

void Win32View::MakeFontsAndPictures() {
  boxFont_.reset(CreateFontW(-static_cast<int>(std::lround(Layout::kBoxPointSize * dpi_ / 72.0)), 0, 0, 0,
                             FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN,
                             L"Courier New"));
  captionFont_.reset(CreateFontW(-Scale(Layout::kCaptionPixelSize, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 CLEARTYPE_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
  const double scale = dpi_ / 96.0;
  copyPicture_ = Pictures::Draw(Pictures::Picture::Copy, scale);
  pastePicture_ = Pictures::Draw(Pictures::Picture::Paste, scale);
}

HFONT Win32View::FontOf(const Layout::Control& c) const {
  return c.kind == Layout::Kind::Box ? boxFont_.get() : captionFont_.get();
}

void Win32View::DrawLabels(HDC dc) const {
  // As a static control draws its text: wrapped at words, no mnemonics.
  const HGDIOBJ old = SelectObject(dc, captionFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (const Layout::Control& c : Layout::kControls) {
    if (c.kind != Layout::Kind::Label) continue;
    const std::u16string caption = Utf16(c.caption);
    RECT r = Place(c);
    DrawTextW(dc, Wide(caption), static_cast<int>(caption.size()), &r,
              DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  }
  SelectObject(dc, old);
}

void Win32View::DrawPicture(const DRAWITEMSTRUCT& item) {
  const bool copy = std::find(arrays_.copy.begin(), arrays_.copy.end(), item.hwndItem) != arrays_.copy.end();
  const Pictures::Pixels& picture = copy ? copyPicture_ : pastePicture_;
  RECT face = item.rcItem;
  const uint32_t faceRgb = FaceColour();
  const GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(faceRgb >> 16, (faceRgb >> 8) & 0xFF, faceRgb & 0xFF)));
  FillRect(item.hDC, &face, brush.get());
  const bool pressed = item.itemState & ODS_SELECTED;
  DrawEdge(item.hDC, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  // The picture on the face; a disabled one half way to the face, as greyed.
  std::vector<uint32_t> pixels = picture.argb;
  for (uint32_t& p : pixels) {
    if (p == Pictures::kButtonFace) p = 0xFF000000 | faceRgb;
    if (!(item.itemState & ODS_DISABLED)) continue;
    const auto half = [&](int shift) {
      return ((((p >> shift) & 0xFF) + ((faceRgb >> shift) & 0xFF) * 3) / 4) << shift;
    };
    p = 0xFF000000 | half(16) | half(8) | half(0);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int shift = pressed ? 1 : 0;
  const int x = face.left + (face.right - face.left - picture.width) / 2 + shift;
  const int y = face.top + (face.bottom - face.top - picture.height) / 2 + shift;
  SetDIBitsToDevice(item.hDC, x, y, static_cast<DWORD>(picture.width), static_cast<DWORD>(picture.height), 0,
                    0, 0, static_cast<UINT>(picture.height), pixels.data(), &info, DIB_RGB_COLORS);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = face;
    InflateRect(&focus, -Scale(4, dpi_), -Scale(4, dpi_));
    DrawFocusRect(item.hDC, &focus);
  }
}

void Win32View::DrawFrame(HWND frame, HDC dc) const {
  // Wine's group box measures its caption short of what it draws ("Copy
  // Al"): the caption is measured and drawn here in one font, and the line
  // in the look of the theme, or etched without one.
  const std::u16string caption = Win32Text::TextOf(frame);
  RECT area;
  GetClientRect(frame, &area);
  const HGDIOBJ old = SelectObject(dc, captionFont_.get());
  SIZE text{};
  GetTextExtentPoint32W(dc, Wide(caption), static_cast<int>(caption.size()), &text);
  RECT line = area;
  line.top += text.cy / 2;
  if (HTHEME theme = GetWindowTheme(frame)) {
    DrawThemeBackground(theme, dc, BP_GROUPBOX, IsWindowEnabled(frame) ? GBS_NORMAL : GBS_DISABLED, &line,
                        nullptr);
  } else {
    DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);
  }
  const int gap = Scale(2, dpi_);
  RECT label{area.left + Scale(6, dpi_), area.top, area.left + Scale(6, dpi_) + text.cx + 2 * gap,
             area.top + text.cy};
  FillRect(dc, &label, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(frame) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  label.left += gap;
  DrawTextW(dc, Wide(caption), static_cast<int>(caption.size()), &label,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  SelectObject(dc, old);
}
