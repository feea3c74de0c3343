// SPDX-License-Identifier: MIT
// Writes the application icon as PNG files for the desktop's icon theme:
//   nombrelix-icons <dir> <name> <size>...   ->  <dir>/<size>x<size>/apps/<name>.png
#include <QDir>
#include <QImage>
#include <cstdio>

#include "QtPictures.h"

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fputs("usage: nombrelix-icons dir name size...\n", stderr);
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLocal8Bit(argv[i]).toInt();
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(dir).arg(size);
    if (size <= 0 || !QDir().mkpath(folder) ||
        !Pictures::AppIconImage(size).save(QStringLiteral("%1/%2.png").arg(folder, name))) {
      std::fprintf(stderr, "nombrelix-icons: cannot write the %s-pixel icon\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
