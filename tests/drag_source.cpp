// SPDX-License-Identifier: MIT
// A window that starts a drag of the text given on its command line when a
// mouse button goes down on it: the end-to-end tests drop it onto a box.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

namespace {

class DragSource final : public QWidget {
 public:
  explicit DragSource(QString text) : text_(std::move(text)) {
    setWindowTitle(QStringLiteral("drag source"));
    resize(60, 60);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setText(text_);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction | Qt::MoveAction);
  }

 private:
  QString text_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Ended by the test once the box shows the drop: on Wayland the closing
  // drag icon would otherwise end it as the last window, maybe before the box
  // has asked for the text.
  QApplication::setQuitOnLastWindowClosed(false);
  DragSource source(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
  source.move(0, 400);
  source.show();
  return QApplication::exec();
}
