// SPDX-License-Identifier: MIT
#include "QtReleaseFixes.h"

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

}  // namespace QtReleaseFixes
