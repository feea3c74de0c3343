// SPDX-License-Identifier: MIT
// The window under a dark desktop theme (run under X with a platform theme
// that gives a dark palette), and with NOMBRELIX_TEST_LIGHT under the
// style's own light one: every ring, border and text stands out from what
// is behind it, measured on a screenshot of the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>
#include <cmath>

#include "QtView.h"

namespace {

double Luminance(QColor c) {
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// The contrast ratio of two colours, 1 to 21.
double Contrast(QColor a, QColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class DarkTheme : public ::testing::Test {
 protected:
  void SetUp() override {
    const bool light = qEnvironmentVariableIsSet("NOMBRELIX_TEST_LIGHT");
    ASSERT_EQ(Luminance(QApplication::palette().color(QPalette::Window)) < 0.1, !light)
        << "the platform theme gave another palette: "
        << qPrintable(QApplication::palette().color(QPalette::Window).name());
    view.SetEnabled(Buttons::Update, kRowDec, false);
    view.SetText(kRowDec, u"123");
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::qWait(200);
    shot = view.screen()->grabWindow(view.winId()).toImage();
    ASSERT_EQ(shot.size(), view.size()) << "run at scale 1";
  }

  QRect In(const QWidget* w) const { return {w->mapTo(&view, QPoint(0, 0)), w->size()}; }
  QColor At(QPoint p) const { return shot.pixelColor(p); }

  // The most contrast any pixel of `area` has against `behind`.
  double Most(QRect area, QColor behind) const {
    double most = 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) most = std::max(most, Contrast(At({x, y}), behind));
    }
    return most;
  }

  // Of `area`'s edge, the weakest of the four sides at their most contrast.
  double Border(QRect area, QColor behind) const {
    const QRect sides[] = {{area.left(), area.top(), area.width(), 2},
                           {area.left(), area.bottom() - 1, area.width(), 2},
                           {area.left(), area.top() + 3, 2, area.height() - 6},
                           {area.right() - 1, area.top() + 3, 2, area.height() - 6}};
    double weakest = 21;
    for (const QRect& side : sides) weakest = std::min(weakest, Most(side, behind));
    return weakest;
  }

  QtView view;
  QImage shot;
};

TEST_F(DarkTheme, RingsAndBordersStandOut) {
  const QColor window = At({2, view.height() - 2});
  for (QRadioButton* option : view.findChildren<QRadioButton*>()) {
    QStyleOptionButton opt;
    opt.initFrom(option);
    const QRect ring = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, option);
    ASSERT_FALSE(option->isChecked());
    EXPECT_GE(Most(ring.translated(In(option).topLeft()), window), 3.0) << option->text().toStdString();
  }
  for (int16_t row = 0; row < kRowCount; ++row) {
    EXPECT_GE(Border(In(view.Box(row)), window), 3.0) << "box " << row;
  }
  for (QGroupBox* frame : view.findChildren<QGroupBox*>()) {
    const QRect edge = In(frame).adjusted(0, frame->fontMetrics().height(), 0, 0);
    EXPECT_GE(Most(edge.adjusted(0, 0, -edge.width() + 2, 0), window), 3.0) << frame->title().toStdString();
  }
}

TEST_F(DarkTheme, TextIsReadable) {
  const QColor window = At({2, view.height() - 2});
  for (QLabel* label : view.findChildren<QLabel*>()) {
    EXPECT_GE(Most(In(label), window), 4.5) << label->text().toStdString();
  }
  for (QRadioButton* option : view.findChildren<QRadioButton*>()) {
    EXPECT_GE(Most(In(option).adjusted(20, 0, 0, 0), window), 4.5) << option->text().toStdString();
  }
  const QRect box = In(view.Box(kRowDec));
  EXPECT_GE(Most(box.adjusted(3, 3, -3, -3), At(box.topLeft() + QPoint(box.width() - 6, 4))), 4.5);
  QPushButton* disabled = view.Button(Buttons::Update, kRowDec);
  ASSERT_FALSE(disabled->isEnabled());
  const QRect face = In(disabled);
  EXPECT_GE(Most(face.adjusted(8, 6, -8, -6), At(face.topLeft() + QPoint(4, face.height() / 2))), 4.5)
      << "disabled Update";
}

}  // namespace
