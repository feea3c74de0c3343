// SPDX-License-Identifier: MIT
#include "Platform.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>

#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0) && defined(NOMBRELIX_HAVE_WAYLAND)
// Qt 6.4 has no public Wayland interface; its platform plugin answers
// these names instead.
#include <qpa/qplatformnativeinterface.h>
#endif
#if QT_CONFIG(xcb) && defined(NOMBRELIX_HAVE_XLIB)
#include <X11/Xlib.h>
#endif

DisplayServer CurrentDisplayServer() {
  const QString name = QGuiApplication::platformName();
  if (name == u"xcb") return DisplayServer::X11;
  // "wayland", and "wayland-egl" or "wayland-brcm" where chosen by name.
  if (name.startsWith(u"wayland")) return DisplayServer::Wayland;
  return DisplayServer::Other;
}

WaylandHandles ToolkitWayland() {
  if (CurrentDisplayServer() != DisplayServer::Wayland) return {};
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0) && QT_CONFIG(wayland)
  if (auto* wayland = qGuiApp->nativeInterface<QNativeInterface::QWaylandApplication>()) {
    return {wayland->display(), wayland->seat()};
  }
  return {};
#elif defined(NOMBRELIX_HAVE_WAYLAND)
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  return {static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display")),
          static_cast<wl_seat*>(native->nativeResourceForIntegration("wl_seat"))};
#else
  return {};
#endif
}

QByteArray ToolkitXDisplayName() {
  if (CurrentDisplayServer() != DisplayServer::X11) return {};
#if QT_CONFIG(xcb) && defined(NOMBRELIX_HAVE_XLIB)
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
    if (Display* display = x11->display()) return QByteArray(DisplayString(display));
  }
#endif
  // The display the toolkit was started on by default.
  return qgetenv("DISPLAY");
}
