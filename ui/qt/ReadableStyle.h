// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// The Fusion style, with its rings, box and frame borders at 3:1 against
// the window and disabled texts readable, in every palette: Fusion draws
// them a shade darker than the window (about 2:1 on a light one), which on
// a dark window all but hides them.
class ReadableStyle final : public QProxyStyle {
 public:
  ReadableStyle();

  // The dark palette this window takes when the desktop prefers dark and
  // its theme gives none: GNOME's dark colours, polished as any palette.
  QPalette DarkPalette();
  // The desktop's high contrast: black on white, or white on black, and
  // rings and borders drawn in the text's colour.
  QPalette HighContrastPalette(bool dark);
  void SetHighContrast(bool on) { highContrast_ = on; }
  [[nodiscard]] static bool IsDark(const QPalette& palette);

  void polish(QPalette& palette) override;
  using QProxyStyle::polish;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

 private:
  struct Colours {
    QColor window, view, button, text, accent, highlightedText, link, placeholder, disabled;
  };
  // A whole palette from its few colours, polished as any palette.
  QPalette Made(const Colours& c);

  bool highContrast_ = false;
};
