// The toolkit's floor: a bare Qt 6 program showing one empty 442 × 256 window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare"));
  window.setFixedSize(442, 256);
  window.show();
  return QApplication::exec();
}
