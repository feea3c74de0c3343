// SPDX-License-Identifier: MIT
// Nombrelix: creates the "Dec to Hex to Bin" window and runs the event loop.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

#include "DesktopColorScheme.h"
#include "LocaleFormat.h"
#include "Platform.h"
#include "QtClipboard.h"
#include "QtReleaseFixes.h"
#include "QtView.h"
#include "ReadableStyle.h"
#include "frmMain.h"

namespace {

// Where the platform was chosen: the advice names what the user did.
enum class Chosen { Automatically, ByVariable, ByOption };

Chosen PlatformChosen(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    if (arg == "-platform" || arg == "--platform" || arg.startsWith("-platform=") ||
        arg.startsWith("--platform=")) {
      return Chosen::ByOption;
    }
  }
  return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? Chosen::Automatically : Chosen::ByVariable;
}

// The one line said when no platform could be started, from what Qt
// reported while trying: which display, which plugin, what to try.
QString StartFailure(const QStringList& said, const QString& fatal, Chosen chosen) {
  static const QRegularExpression wlDisplay(QStringLiteral("^Failed to create wl_display"));
  static const QRegularExpression display(QStringLiteral("could not connect to display ?(.*)$"));
  static const QRegularExpression missing(
      QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
  static const QRegularExpression available(
      QStringLiteral("Available platform plugins are: ([^\n]*?)\\.?\n*$"));
  const QRegularExpressionMatch plugins = available.match(fatal);
  const QString list = plugins.hasMatch() ? plugins.captured(1) : QString();
  const QString undo = chosen == Chosen::ByOption ? QStringLiteral("try: nombrelix without -platform")
                                                  : QStringLiteral("try: unset QT_QPA_PLATFORM");
  for (const QString& line : said) {
    if (const QRegularExpressionMatch m = missing.match(line); m.hasMatch()) {
      return QStringLiteral("no Qt platform plugin \"%1\" (available: %2; %3)")
          .arg(m.captured(1), list, undo);
    }
  }
  if (!said.filter(wlDisplay).isEmpty()) {
    // The Wayland platform was asked for and its display is not there.
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY") && chosen != Chosen::Automatically;
    return QStringLiteral("cannot open the Wayland display \"%1\" (no compositor there? %2)")
        .arg(name, x11 ? undo + QStringLiteral(" to use the X display")
                       : QStringLiteral("try: xvfb-run nombrelix"));
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
#ifdef __GLIBC__
  // Texts of up to millions of characters come and go (pastes and their
  // layouts). With the threshold fixed, each buffer of 256 KiB or more is
  // mapped on its own and given back when freed; glibc otherwise raises
  // the threshold after such a buffer goes, so that the next ones stay in
  // the heap at its highest (a Wayland storm of 20,000 events: 31 MiB of
  // heap in steps, against 19 MiB).
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
  // Qt ends the program with an abort, a core and advice to reinstall when
  // no platform plugin starts (no display, a wrong QT_QPA_PLATFORM). Its
  // messages are held while it starts; on that failure they become one
  // plain line and exit status 1, and otherwise they are passed on.
  static std::vector<std::pair<QtMsgType, QString>> held;
  static const Chosen chosen = PlatformChosen(argc, argv);
  const QtMessageHandler passOn =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtFatalMsg) {
          held.emplace_back(type, text);
          return;
        }
        QStringList said;
        for (const auto& message : held) said << message.second;
        const QByteArray line = "nombrelix: " + StartFailure(said, text, chosen).toLocal8Bit() + "\n";
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
      });
  // Both read before Qt takes its own options out of argv.
  ChooseFrameOnGnome(chosen != Chosen::Automatically);
  FollowDesktopTextSize(chosen == Chosen::ByOption);
  const bool lookChosen = DesktopColorScheme::LookChosenByUser(argc, argv);
  const bool styleChosen = DesktopColorScheme::StyleChosenByUser(argc, argv);
  QApplication app(argc, argv);
  // From here each distinct message is passed on once a run: Qt says the
  // same again and again for one cause ("OpenType support missing for ...",
  // at each layout of a text in a script whose font lacks the tables), and
  // a program left open for weeks would grow its log without end. At most
  // kRemembered messages are remembered; any after those pass as they come.
  static QtMessageHandler next = passOn;
  static std::unordered_set<QString> said;
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
    constexpr std::size_t kRemembered = 4096;
    if (said.contains(text)) return;
    if (said.size() < kRemembered) said.insert(text);
    next(type, context, text);
  });
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
  // One look everywhere, the one the fixed layout is measured in (Fusion,
  // with its rings and borders made to stand out), unless the user named a
  // style: then Qt's choice of it stands, and so do its colours.
  std::unique_ptr<DesktopColorScheme> scheme;
  if (!styleChosen) {
    auto* style = new ReadableStyle;
    QApplication::setStyle(style);
    if (!lookChosen) scheme = std::make_unique<DesktopColorScheme>(*style);
  }

  QtReleaseFixes::StopActivationOnFocusChange();
  QtView view;
  const std::unique_ptr<QObject> freeing =
      QtReleaseFixes::FreeReplacedClipboardData(*QApplication::clipboard());
  QtClipboard clipboard(*QApplication::clipboard());
  QtClipboard selection(*QApplication::clipboard(), QClipboard::Selection);
  view.SetSelection(&selection);
  frmMain form(view, clipboard, NumberFormatOf(QLocale::system()));
  form.Form_Load();
  view.show();
  view.Box(kRowDec)->setFocus();
  const int status = QApplication::exec();
  if (QtReleaseFixes::EndsWithoutTeardown()) {
    // There is nothing to save or hand on.
    std::fflush(nullptr);
    std::_Exit(status);
  }
  return status;
}
