// SPDX-License-Identifier: MIT
#include "ReadableStyle.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <cmath>

namespace {

// Contrast as accessibility guidelines measure it: 1 (none) to 21.
double Luminance(const QColor& c) {
  const auto channel = [](double s) { return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool Dark(const QPalette& palette) {
  return Luminance(palette.color(QPalette::Window)) < Luminance(palette.color(QPalette::WindowText));
}

// `from` moved toward `to` just far enough to have `wanted` contrast with
// each of `behind`; `to` itself when nothing nearer has.
QColor Toward(const QColor& from, const QColor& to, double wanted, std::initializer_list<QColor> behind) {
  for (int step = 0; step <= 20; ++step) {
    const double t = step / 20.0;
    const QColor c = QColor::fromRgbF(static_cast<float>(from.redF() + (to.redF() - from.redF()) * t),
                                      static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * t),
                                      static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * t));
    if (std::all_of(behind.begin(), behind.end(),
                    [&](const QColor& b) { return Contrast(c, b) >= wanted; })) {
      return c;
    }
  }
  return to;
}

// The line a ring or border is drawn with: 3:1 against the window and the
// field inside, with room for the softening of a thin round line.
QColor Edge(const QPalette& p) {
  return Toward(p.color(QPalette::Window), p.color(QPalette::WindowText), 4.5,
                {p.color(QPalette::Window), p.color(QPalette::Base)});
}

}  // namespace

ReadableStyle::ReadableStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

bool ReadableStyle::IsDark(const QPalette& palette) { return Dark(palette); }

QPalette ReadableStyle::DarkPalette() {
  // Adwaita's dark window, view and accent colours.
  const QColor window(0x24, 0x24, 0x24), text(0xff, 0xff, 0xff);
  return Made({window, QColor(0x1e, 0x1e, 0x1e), QColor(0x3a, 0x3a, 0x3a), text, QColor(0x35, 0x84, 0xe4),
               text, QColor(0x78, 0xae, 0xed), QColor(0x9a, 0x9a, 0x9a), QColor(0x80, 0x80, 0x80)});
}

QPalette ReadableStyle::HighContrastPalette(bool dark) {
  const QColor back = dark ? Qt::black : Qt::white, ink = dark ? Qt::white : Qt::black;
  // Selection and links in colours that keep 7:1 with what they sit on;
  // disabled text dimmer than the rest, still 7:1 on its background.
  const QColor accent = dark ? QColor(0xff, 0xff, 0x00) : QColor(0x00, 0x00, 0xa0);
  const QColor dim = dark ? QColor(0xa6, 0xa6, 0xa6) : QColor(0x59, 0x59, 0x59);
  return Made({back, back, back, ink, accent, back, accent, ink, dim});
}

QPalette ReadableStyle::Made(const Colours& c) {
  QPalette p(c.button, c.window);
  p.setColor(QPalette::Base, c.view);
  p.setColor(QPalette::AlternateBase, c.window.lighter(115));
  for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText,
                                         QPalette::BrightText, QPalette::ToolTipText}) {
    p.setColor(role, c.text);
  }
  p.setColor(QPalette::ToolTipBase, c.view);
  p.setColor(QPalette::Highlight, c.accent);
  p.setColor(QPalette::HighlightedText, c.highlightedText);
  p.setColor(QPalette::Link, c.link);
  p.setColor(QPalette::PlaceholderText, c.placeholder);
  for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, c.disabled);
  }
  polish(p);
  return p;
}

void ReadableStyle::polish(QPalette& palette) {
  QProxyStyle::polish(palette);
  // Disabled texts at 4.5:1 against what they are drawn on, also where a
  // small font softens the strokes: still dimmer than enabled text.
  const struct {
    QPalette::ColorRole text, behind;
  } pairs[] = {{QPalette::ButtonText, QPalette::Button},
               {QPalette::WindowText, QPalette::Window},
               {QPalette::Text, QPalette::Base}};
  for (const auto& [text, behind] : pairs) {
    const QColor readable =
        Toward(palette.color(QPalette::Disabled, text), palette.color(QPalette::Active, text), 7.0,
               {palette.color(QPalette::Disabled, behind)});
    palette.setColor(QPalette::Disabled, text, readable);
  }
}

void ReadableStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
  // Fusion draws a frame from a picture, faint on any window, and reading
  // it loads every image format plugin: the frame is drawn here, in full.
  if (element != PE_FrameGroupBox) QProxyStyle::drawPrimitive(element, option, painter, widget);
  const bool ring = element == PE_IndicatorRadioButton;
  // A focused box keeps the style's focus colour on its border.
  const bool border =
      (element == PE_FrameLineEdit && !(option->state & State_HasFocus)) || element == PE_FrameGroupBox;
  if (!(ring || border)) return;
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(
      QPen(highContrast_ ? option->palette.color(QPalette::WindowText) : Edge(option->palette), 1));
  painter->setBrush(Qt::NoBrush);
  QRect rect = option->rect;
  const auto* group = qobject_cast<const QGroupBox*>(widget);
  if (element == PE_FrameGroupBox && group && !group->title().isEmpty()) {
    // Where Fusion draws a titled frame: below the title. Qt 6.4 hands the
    // frame a rectangle that holds the title too, and Fusion moves it down.
    QStyleOptionGroupBox box;
    box.initFrom(group);
    box.text = group->title();
    box.subControls = SC_GroupBoxLabel | SC_GroupBoxFrame;
    const QRect label = subControlRect(CC_GroupBox, &box, SC_GroupBoxLabel, group);
    if (rect.top() <= label.top()) {
      rect.setTop(rect.top() +
                  std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) + 3);
    }
  }
  const QRectF area = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
  if (ring) {
    painter->drawEllipse(area.adjusted(0.5, 0.5, -0.5, -0.5));
  } else {
    painter->drawRoundedRect(area, 2, 2);
  }
  painter->restore();
}
