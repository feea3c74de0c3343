// SPDX-License-Identifier: MIT
// The window at twice the scale (QT_SCALE_FACTOR=2): the same layout at
// double size, and pictures drawn for the density, not scaled up.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QScreen>

#include "QtPictures.h"
#include "QtView.h"

namespace {

// Whether `picture` stands pixel for pixel somewhere in `image`.
// Whether `picture` stands in `image`, pixel for pixel where it is opaque
// (the button's face shows through the rest).
bool Contains(const QImage& image, const QImage& picture) {
  const QImage a = image.convertToFormat(QImage::Format_RGB32);
  const QImage b = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y + b.height() <= a.height(); ++y) {
    for (int x = 0; x + b.width() <= a.width(); ++x) {
      bool same = true;
      for (int j = 0; same && j < b.height(); ++j) {
        for (int i = 0; same && i < b.width(); ++i) {
          const QRgb p = b.pixel(i, j);
          same = qAlpha(p) == 0 || a.pixel(x + i, y + j) == (p | 0xFF000000u);
        }
      }
      if (same) return true;
    }
  }
  return false;
}

class TwiceTheScale : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_DOUBLE_EQ(view.devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    view.show();
  }
  QtView view;
};

TEST_F(TwiceTheScale, SameLayoutTwiceTheSize) {
  const QImage shot = view.grab().toImage();
  EXPECT_EQ(shot.size(), QSize(884, 512));
  EXPECT_EQ(view.size(), QSize(442, 256));  // in logical pixels, as laid out
}

TEST_F(TwiceTheScale, PicturesAreDrawnForTheDensity) {
  const struct {
    Buttons array;
    QPixmap (*draw)(qreal);
  } pictures[] = {{Buttons::Copy, &Pictures::Copy}, {Buttons::Paste, &Pictures::Paste}};
  for (const auto& p : pictures) {
    QPushButton* button = view.Button(p.array, 0);
    const QImage shot = button->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(50, 50));
    const QImage sharp = p.draw(2.0).toImage();
    ASSERT_EQ(sharp.size(), QSize(32, 30));
    EXPECT_TRUE(Contains(shot, sharp)) << "the 2x picture is not on the button";
    // A 16-pixel picture scaled up would not match it.
    const QImage blurred =
        p.draw(1.0).toImage().scaled(32, 30, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_FALSE(Contains(shot, blurred));
  }
}

TEST_F(TwiceTheScale, WindowIconHasSharpLargeSizes) {
  const QIcon icon = view.windowIcon();
  const QPixmap large = icon.pixmap(QSize(32, 32), 2.0);
  EXPECT_EQ(large.toImage().size(), QSize(64, 64));
  EXPECT_EQ(large.toImage().convertToFormat(QImage::Format_ARGB32),
            Pictures::AppIcon(64).toImage().convertToFormat(QImage::Format_ARGB32));
}

}  // namespace
