// Nombrelix: creates the "Dec to Hex to Bin" window and runs the event loop.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "LocaleFormat.h"
#include "QtClipboard.h"
#include "QtView.h"
#include "frmMain.h"

namespace {

// The one line said when no platform could be started, from what Qt
// reported while trying: which display, which plugin, what to try.
QString StartFailure(const QStringList& said, const QString& fatal) {
  static const QRegularExpression display(QStringLiteral("could not connect to display ?(.*)$"));
  static const QRegularExpression missing(
      QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
  static const QRegularExpression available(
      QStringLiteral("Available platform plugins are: ([^\n]*?)\\.?\n*$"));
  const QRegularExpressionMatch plugins = available.match(fatal);
  const QString list = plugins.hasMatch() ? plugins.captured(1) : QString();
  for (const QString& line : said) {
    if (const QRegularExpressionMatch m = missing.match(line); m.hasMatch()) {
      return QStringLiteral("no Qt platform plugin \"%1\" (available: %2; try: unset QT_QPA_PLATFORM)")
          .arg(m.captured(1), list);
    }
  }
  for (const QString& line : said) {
    if (const QRegularExpressionMatch m = display.match(line); m.hasMatch()) {
      const QString name = m.captured(1).trimmed();
      if (!name.isEmpty()) {
        return QStringLiteral("cannot open the display \"%1\" (no desktop? try: xvfb-run nombrelix)")
            .arg(name);
      }
      const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
      if (!wayland.isEmpty() && said.filter(QStringLiteral("wl_display")).size() > 0) {
        return QStringLiteral(
                   "cannot open the Wayland display \"%1\", and DISPLAY is not set "
                   "(no desktop? try: xvfb-run nombrelix)")
            .arg(wayland);
      }
      if (!wayland.isEmpty() && !list.split(QStringLiteral(", ")).contains(QStringLiteral("wayland"))) {
        return QStringLiteral(
            "cannot open a display: DISPLAY is not set and Qt has no Wayland plugin "
            "(install qt6-wayland, or try: xvfb-run nombrelix)");
      }
      return QStringLiteral("cannot open a display: none is set (no desktop? try: xvfb-run nombrelix)");
    }
  }
  const QString last = said.isEmpty() ? fatal.section(u'\n', 0, 0) : said.last();
  return QStringLiteral("cannot start a display (%1; try: xvfb-run nombrelix)").arg(last);
}

}  // namespace

int main(int argc, char* argv[]) {
  // Qt ends the program with an abort, a core and advice to reinstall when
  // no platform plugin starts (no display, a wrong QT_QPA_PLATFORM). Its
  // messages are held while it starts; on that failure they become one
  // plain line and exit status 1, and otherwise they are passed on.
  static std::vector<std::pair<QtMsgType, QString>> held;
  const QtMessageHandler passOn =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtFatalMsg) {
          held.emplace_back(type, text);
          return;
        }
        QStringList said;
        for (const auto& message : held) said << message.second;
        const QByteArray line = "nombrelix: " + StartFailure(said, text).toLocal8Bit() + "\n";
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
      });
  QApplication app(argc, argv);
  qInstallMessageHandler(passOn);
  for (const auto& [type, text] : std::exchange(held, {})) {
    const QByteArray bytes = text.toLocal8Bit();
    if (type == QtDebugMsg) qDebug("%s", bytes.constData());
    if (type == QtInfoMsg) qInfo("%s", bytes.constData());
    if (type == QtWarningMsg) qWarning("%s", bytes.constData());
    if (type == QtCriticalMsg) qCritical("%s", bytes.constData());
  }
  QApplication::setApplicationName(QStringLiteral("Nombrelix"));
  QApplication::setApplicationVersion(QStringLiteral(NOMBRELIX_VERSION));
  QApplication::setDesktopFileName(QStringLiteral(NOMBRELIX_APP_ID));
  // One look everywhere: the layout is in fixed pixels.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

  QtView view;
  QtClipboard clipboard(*QApplication::clipboard());
  QtClipboard selection(*QApplication::clipboard(), QClipboard::Selection);
  view.SetSelection(&selection);
  frmMain form(view, clipboard, NumberFormatOf(QLocale::system()));
  form.Form_Load();
  view.show();
  view.Box(kRowDec)->setFocus();
  return QApplication::exec();
}
