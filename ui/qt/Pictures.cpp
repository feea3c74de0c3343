#include "Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace Pictures {
namespace {

const QColor kButtonFace(192, 192, 192);
const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kLines(0, 0, 128);
const QColor kBoard(160, 96, 32);
const QColor kBoardEdge(96, 48, 0);
const QColor kClip(128, 128, 128);

// A picture of kWidth × kHeight logical pixels at the given scale, filled
// with the button face; the painter works in logical pixels.
QPixmap Canvas(qreal dpr, QPainter& painter) {
  QPixmap pixmap(qRound(kWidth * dpr), qRound(kHeight * dpr));
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(kButtonFace);
  painter.begin(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  return pixmap;
}

// A bordered rectangle covering whole logical pixels [x, x+w) × [y, y+h).
void Box(QPainter& p, int x, int y, int w, int h, const QColor& edge, const QColor& fill) {
  p.fillRect(QRectF(x, y, w, h), edge);
  p.fillRect(QRectF(x + 1, y + 1, w - 2, h - 2), fill);
}

// A sheet with a folded-down look: border, paper and three lines of text.
void Sheet(QPainter& p, int x, int y, int w, int h) {
  Box(p, x, y, w, h, kInk, kPaper);
  for (int line = 0; line < 3 && 2 + 2 * line < h - 2; ++line) {
    p.fillRect(QRectF(x + 2, y + 2 + 2 * line, w - 4 - (line == 2 ? 2 : 0), 1), kLines);
  }
}

}  // namespace

QPixmap Copy(qreal dpr) {
  QPainter p;
  QPixmap pixmap = Canvas(dpr, p);
  Sheet(p, 1, 1, 9, 10);
  Sheet(p, 6, 4, 9, 10);
  p.end();
  return pixmap;
}

QPixmap Paste(qreal dpr) {
  QPainter p;
  QPixmap pixmap = Canvas(dpr, p);
  Box(p, 1, 2, 11, 12, kBoardEdge, kBoard);  // the board
  Box(p, 4, 1, 5, 3, kInk, kClip);           // its clip
  Sheet(p, 7, 6, 8, 9);                      // the sheet on it
  p.end();
  return pixmap;
}

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
