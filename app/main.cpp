// Nombrelix: creates the "Dec to Hex to Bin" window and runs the event loop.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "QtClipboard.h"
#include "QtView.h"
#include "frmMain.h"

namespace {

// The user's decimal point and group separator, where each is one character.
NumberFormat SystemNumberFormat() {
  const QLocale locale = QLocale::system();
  NumberFormat format;
  const QString point = locale.decimalPoint();
  const QString group = locale.groupSeparator();
  if (point.size() == 1) format.decimalPoint = point.at(0).unicode();
  if (group.size() == 1 && group != point) format.groupSeparator = group.at(0).unicode();
  return format;
}

// Qt aborts when it cannot reach a display; say so plainly instead.
bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs(
        "nombrelix: no display (DISPLAY is not set); start it on a desktop, or try: xvfb-run nombrelix\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Nombrelix"));
  QApplication::setApplicationVersion(QStringLiteral("1.00"));
  QApplication::setDesktopFileName(QStringLiteral(NOMBRELIX_APP_ID));
  // One look everywhere: the layout is in fixed pixels.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

  QtView view;
  QtClipboard clipboard(*QApplication::clipboard());
  QtClipboard selection(*QApplication::clipboard(), QClipboard::Selection);
  view.SetSelection(&selection);
  frmMain form(view, clipboard, SystemNumberFormat());
  form.Form_Load();
  view.show();
  view.Box(kRowDec)->setFocus();
  return QApplication::exec();
}
