// SPDX-License-Identifier: MIT
#include "QtReleaseFixes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
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
// The control's own description while it tells a result; the property
// marks a control that tells one.
constexpr char kOwn[] = "nombrelixOwnDescription";
}  // namespace

void SetOwnDescription(QWidget& control, const QString& text) {
  if (control.property(kOwn).isValid()) {
    control.setProperty(kOwn, text);
  } else {
    control.setAccessibleDescription(text);
  }
}

void AnnounceAsFocusDescription(QWidget& window, const QString& text) {
  QWidget* focus = window.focusWidget() ? window.focusWidget() : &window;
  if (!focus->property(kOwn).isValid()) {
    focus->setProperty(kOwn, focus->accessibleDescription());
    QObject::connect(qApp, &QApplication::focusChanged, focus, [focus](QWidget* old, QWidget*) {
      if (old != focus || !focus->property(kOwn).isValid()) return;
      const QString own = focus->property(kOwn).toString();
      focus->setProperty(kOwn, QVariant());
      focus->setAccessibleDescription(own);
    });
  } else {
    // The same words again are a change too, and are told again.
    focus->setAccessibleDescription(focus->property(kOwn).toString());
  }
  focus->setAccessibleDescription(text);
}

}  // namespace QtReleaseFixes
