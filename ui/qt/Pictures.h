#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's own pictures, drawn in code on whole logical pixels so that
// they stay sharp at every integer scale (no scaled-up bitmaps).
namespace Pictures {

// Logical size of the copy and paste pictures.
constexpr int kWidth = 16;
constexpr int kHeight = 15;

// Two overlapping sheets of paper on the button-face grey.
QPixmap Copy(qreal devicePixelRatio);
// A clipboard holding a sheet of paper on the button-face grey.
QPixmap Paste(qreal devicePixelRatio);
// The application icon, square, `size` device pixels wide.
QPixmap AppIcon(int size);
// The same as an image; needs no running application.
QImage AppIconImage(int size);
// The application icon at the sizes a desktop asks for.
QIcon AppIconSet();
// A button icon of a picture above, sharp at one and two device pixels per
// logical pixel.
QIcon ButtonIcon(QPixmap (*draw)(qreal));

}  // namespace Pictures
