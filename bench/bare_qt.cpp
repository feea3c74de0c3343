// SPDX-License-Identifier: MIT
// The toolkit's floor: a bare Qt 6 program showing one empty 442 × 256
// window; with --text, one line of text in it, which makes the toolkit load
// its font database as any window with text must.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare"));
  window.setFixedSize(442, 256);
  if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
    auto* label = new QLabel(QStringLiteral("Dec to Hex to Bin"), &window);
    label->move(10, 10);
  }
  window.show();
  return QApplication::exec();
}
