// SPDX-License-Identifier: MIT
#include "QtReleaseFixes.h"

#include <QAccessible>
#include <QApplication>
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

#include "Platform.h"

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

void HandedToClipboard(std::unique_ptr<QMimeData>& held, QMimeData* now) {
  if (!kWaylandClipboardKeepsEveryCopy || CurrentDisplayServer() != DisplayServer::Wayland) return;
  // The clipboard let go of the old data as it took the new (its data
  // source went with it): nothing reads the old any more.
  held.reset(now);
}

}  // namespace QtReleaseFixes
