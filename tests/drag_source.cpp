// SPDX-License-Identifier: MIT
// A window that starts a drag of the text given on its command line when a
// mouse button goes down on it: the end-to-end tests drop it onto a box.
// Given a file too, it makes that file as the drag starts, so that a test
// moves the pointer only once the press has been taken (a loaded machine
// may take it after the button is up, and then there is no drag).
// Usage: drag_source TEXT [FILE]
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

namespace {

class DragSource final : public QWidget {
 public:
  DragSource(QString text, QString pressed) : text_(std::move(text)), pressed_(std::move(pressed)) {
    setWindowTitle(QStringLiteral("drag source"));
    resize(60, 60);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setText(text_);
    drag->setMimeData(data);
    if (!pressed_.isEmpty()) QFile(pressed_).open(QIODevice::WriteOnly);
    drag->exec(Qt::CopyAction | Qt::MoveAction);
  }

 private:
  QString text_;
  QString pressed_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Ended by the test once the box shows the drop: on Wayland the closing
  // drag icon would otherwise end it as the last window, maybe before the box
  // has asked for the text.
  QApplication::setQuitOnLastWindowClosed(false);
  DragSource source(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(),
                    argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
  source.move(0, 400);
  source.show();
  return QApplication::exec();
}
