// SPDX-License-Identifier: MIT
#include "QtReleaseFixes.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <array>
#include <memory>

#include "Platform.h"

#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0) && defined(NOMBRELIX_HAVE_QT_GUI_PRIVATE)
#include <QtGui/private/qgenericunixthemes_p.h>
#endif

namespace QtReleaseFixes {

void UndoMaximizeOfFixedWindow(QWidget& window, const QEvent& event) {
  if (!kTitleBarMaximizesFixedWindow) return;
  if (event.type() == QEvent::WindowStateChange && (window.windowState() & Qt::WindowMaximized)) {
    window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
  }
}

void RemakeSurfaceAtNewScale(QWidget& window) {
  if (!kWaylandKeepsOldScale || CurrentDisplayServer() != DisplayServer::Wayland) return;
  // Shown again, the window is sharp at the new scale, its controls as
  // they were.
  QWidget* focus = window.focusWidget();
  window.hide();
  window.windowHandle()->destroy();
  window.show();
  if (focus) focus->setFocus();
}

bool EndsWithoutTeardown() {
  return kWaylandTeardownCanHang && CurrentDisplayServer() == DisplayServer::Wayland;
}

bool PutOffClose(QWidget& window, QCloseEvent& event, bool& putOff) {
  if (!kTitleBarClosesInsideClick || putOff || CurrentDisplayServer() != DisplayServer::Wayland) return false;
  putOff = true;
  event.ignore();
  QTimer::singleShot(0, &window, &QWidget::close);
  return true;
}

namespace {

// A change of a control's description as Qt's bridge sends its events
// (the property, two numbers, the new value, the sending application), but
// with the value itself.
void SendDescriptionChange(QAccessibleInterface& control, const QString& description) {
  const QDBusConnection bus(QStringLiteral("a11y"));  // the one Qt's bridge opened
  if (!bus.isConnected()) return;
  const QString path =
      QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(&control));
  QDBusMessage change = QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"),
                                                   QStringLiteral("PropertyChange"));
  QDBusArgument application;
  application.beginStructure();
  application << bus.baseService() << QDBusObjectPath(QStringLiteral("/org/a11y/atspi/accessible/root"));
  application.endStructure();
  change << QStringLiteral("accessible-description") << 0 << 0
         << QVariant::fromValue(QDBusVariant(description)) << QVariant::fromValue(application);
  bus.send(change);
}

constexpr char kTelling[] = "nombrelixTellsAResult";

}  // namespace

void AnnounceAsDescriptionChange(QWidget& window, const QString& text) {
  if (!kNoAnnouncementEvent || !QAccessible::isActive()) return;
  QWidget* focus = window.focusWidget() ? window.focusWidget() : &window;
  QAccessibleInterface* control = QAccessible::queryAccessibleInterface(focus);
  if (!control) return;
  SendDescriptionChange(*control, text);
  if (focus->property(kTelling).isValid()) return;
  // Screen readers keep the last description they were sent: once the
  // focus has left the control (a turn later, so that they have seen it
  // leave and say nothing), the control's own is sent back.
  focus->setProperty(kTelling, true);
  QObject::connect(
      qApp, &QApplication::focusChanged, focus,
      [focus] {
        focus->setProperty(kTelling, QVariant());
        QTimer::singleShot(0, focus, [focus] {
          QAccessibleInterface* control = QAccessible::queryAccessibleInterface(focus);
          if (!control) return;
          // A description that only repeats the name (a button's tooltip)
          // goes back as none: a screen reader slow to see the focus leave
          // would say it.
          const QString own = control->text(QAccessible::Description);
          SendDescriptionChange(*control, own == control->text(QAccessible::Name) ? QString() : own);
        });
      },
      Qt::SingleShotConnection);
}

std::unique_ptr<QObject> FreeReplacedClipboardData(QClipboard& clipboard) {
  if (!kWaylandClipboardKeepsEveryCopy || CurrentDisplayServer() != DisplayServer::Wayland) return nullptr;
  auto watcher = std::make_unique<QObject>();
  // The data this program handed for each mode, while it holds it.
  auto ours = std::make_shared<std::array<const QMimeData*, 2>>();
  const auto held = [ours](QClipboard::Mode mode) -> const QMimeData*& {
    return (*ours)[mode == QClipboard::Selection ? 1 : 0];
  };
  const auto owns = [&clipboard](QClipboard::Mode mode) {
    return mode == QClipboard::Selection ? clipboard.ownsSelection() : clipboard.ownsClipboard();
  };
  for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
    held(mode) = owns(mode) ? clipboard.mimeData(mode) : nullptr;
  }
  QObject::connect(&clipboard, &QClipboard::changed, watcher.get(),
                   [&clipboard, held, owns](QClipboard::Mode mode) {
                     if (mode != QClipboard::Clipboard && mode != QClipboard::Selection) return;
                     const QMimeData* now = clipboard.mimeData(mode);
                     // The toolkit let go of the old data as the new came (its data source
                     // went with it): nothing reads it any more.
                     if (held(mode) && held(mode) != now) delete held(mode);
                     held(mode) = owns(mode) ? now : nullptr;
                   });
  return watcher;
}

void StopActivationOnFocusChange() {
  if (!kWaylandActivatesOnFocusChange || CurrentDisplayServer() != DisplayServer::Wayland) return;
  // The Wayland integration's is the one connection of this signal made
  // with the application itself as its receiver.
  QObject::disconnect(qApp, &QGuiApplication::focusObjectChanged, qApp, nullptr);
}

namespace {

// QtDBus reaches a slot by name only.
class PlasmaColours final : public QObject {
  Q_OBJECT
 public slots:
  void notifyChange(int type, int /*arg*/) {
    constexpr int kPaletteChanged = 0;
    if (type != kPaletteChanged) return;
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0) && defined(NOMBRELIX_HAVE_QT_GUI_PRIVATE)
    const std::unique_ptr<QPlatformTheme> theme(QGenericUnixTheme::createUnixTheme(QStringLiteral("kde")));
    if (const QPalette* colours = theme ? theme->palette() : nullptr) QApplication::setPalette(*colours);
#endif
  }
};

}  // namespace

std::unique_ptr<QObject> FollowPlasmaColours() {
  if (!kKdeThemeReadsColoursOnce) return nullptr;
  auto follower = std::make_unique<PlasmaColours>();
  QDBusConnection::sessionBus().connect(
      QString(), QStringLiteral("/KGlobalSettings"), QStringLiteral("org.kde.KGlobalSettings"),
      QStringLiteral("notifyChange"), follower.get(), SLOT(notifyChange(int, int)));
  return follower;
}

}  // namespace QtReleaseFixes

#include "QtReleaseFixes.moc"
