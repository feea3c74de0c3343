// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "Pictures.h"

// The program's pictures as the toolkit shows them: the button pictures
// from their shared pixels, and the application icon.
namespace Pictures {

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
