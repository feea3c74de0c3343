// SPDX-License-Identifier: MIT
#include "QtPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace Pictures {
namespace {

QPixmap ToPixmap(Picture picture, qreal dpr) {
  const Pixels pixels = Draw(picture, dpr);
  QImage image(pixels.width, pixels.height, QImage::Format_ARGB32);
  for (int y = 0; y < pixels.height; ++y) {
    // The face around the picture is the button's own: see-through.
    std::replace_copy(pixels.argb.begin() + static_cast<std::ptrdiff_t>(y) * pixels.width,
                      pixels.argb.begin() + static_cast<std::ptrdiff_t>(y + 1) * pixels.width,
                      reinterpret_cast<uint32_t*>(image.scanLine(y)), kButtonFace, 0u);
  }
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(dpr);
  return pixmap;
}

}  // namespace

QPixmap Copy(qreal dpr) { return ToPixmap(Picture::Copy, dpr); }

QPixmap Paste(qreal dpr) { return ToPixmap(Picture::Paste, dpr); }

QPixmap AppIcon(int size) { return QPixmap::fromImage(AppIconImage(size)); }

QImage AppIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(size / 64.0, size / 64.0);
  // A blue tile with three rows, one per notation, as the window has.
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(52, 120, 214));
  tile.setColorAt(1, QColor(26, 74, 150));
  p.setPen(Qt::NoPen);
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
  const QColor marks[] = {QColor(255, 196, 64), QColor(120, 220, 120), QColor(255, 120, 110)};
  for (int row = 0; row < 3; ++row) {
    const qreal y = 10 + row * 16;
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(9, y, 46, 12), 3, 3);
    p.setBrush(marks[row]);
    p.drawRoundedRect(QRectF(12, y + 3, 6 + row * 8, 6), 2, 2);
  }
  p.end();
  return image;
}

QIcon AppIconSet() {
  // Sizes a window manager shows; the installed icons serve the desktop.
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(AppIcon(size));
  return icon;
}

QIcon ButtonIcon(QPixmap (*draw)(qreal)) {
  // Drawn for one and two device pixels per pixel; the icon picks the one
  // that fits the screen and greys it when the button is disabled.
  QIcon icon;
  icon.addPixmap(draw(1.0));
  icon.addPixmap(draw(2.0));
  return icon;
}

}  // namespace Pictures
