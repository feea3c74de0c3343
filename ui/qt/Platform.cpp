// SPDX-License-Identifier: MIT
#include "Platform.h"

#include <QtGui/qguiapplication_platform.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>

#include "GnomeSettings.h"

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

Q_LOGGING_CATEGORY(lcPlatform, "nombrelix.platform", QtWarningMsg)

GnomeFrame FrameOnGnome(const GnomeSession& s) {
  if (!s.gnomeOnWayland || s.platformChosen || s.decorationChosen) return GnomeFrame::AsItIs;
  // Wayland is kept where it can: it stays sharp at fractional scales.
  if (s.adwaitaInstalled && !s.layoutHasMaximize) return GnomeFrame::Adwaita;
  if (s.xDisplay && !s.xWindowsScaled) return GnomeFrame::X11;
  return s.adwaitaInstalled ? GnomeFrame::Adwaita : GnomeFrame::AsItIs;
}

bool InGnomeSession() { return qgetenv("XDG_CURRENT_DESKTOP").toLower().split(':').contains("gnome"); }

GnomeFrame ChooseFrameOnGnome(bool platformChosen) {
  GnomeSession s;
  s.gnomeOnWayland = InGnomeSession() && (qgetenv("XDG_SESSION_TYPE") == "wayland" ||
                                          !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
  s.platformChosen = platformChosen;
  s.decorationChosen = !qEnvironmentVariableIsEmpty("QT_WAYLAND_DECORATION");
  if (!s.gnomeOnWayland || s.platformChosen || s.decorationChosen) return GnomeFrame::AsItIs;
  s.xDisplay = !qEnvironmentVariableIsEmpty("DISPLAY");
  s.adwaitaInstalled = QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                                         QStringLiteral("/wayland-decoration-client/libadwaita.so"));
  const std::string layout =
      GnomeSettings::Text("org.gnome.desktop.wm.preferences", "button-layout").value_or("");
  s.layoutHasMaximize = layout.find("maximize") != std::string::npos;
  // GNOME's fractional scaling draws X11 windows at scale 1 and stretches
  // them, unless Xwayland is asked to scale natively.
  const std::string features = GnomeSettings::Text("org.gnome.mutter", "experimental-features").value_or("");
  s.xWindowsScaled = features.find("scale-monitor-framebuffer") != std::string::npos &&
                     features.find("xwayland-native-scaling") == std::string::npos;
  const GnomeFrame frame = FrameOnGnome(s);
  if (frame == GnomeFrame::X11) {
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    qCInfo(lcPlatform, "GNOME on Wayland: GNOME's own frame, through Xwayland");
  }
  if (frame == GnomeFrame::Adwaita) {
    qputenv("QT_WAYLAND_DECORATION", "adwaita");
    qCInfo(lcPlatform, "GNOME on Wayland: Qt's adwaita title bar");
  }
  return frame;
}

std::optional<QByteArray> ScaleForTextSize(const TextSizeSession& s) {
  if (!s.wayland || s.scaleChosen || s.platform.startsWith("xcb")) return std::nullopt;
  bool ok = false;
  double factor = 0;
  if (!s.forcedDpi.isEmpty()) {
    factor = s.forcedDpi.trimmed().toDouble(&ok) / 96;
  } else if (s.gnome) {
    factor = QByteArray::fromStdString(s.gnomeFactor).trimmed().toDouble(&ok);
  }
  // GNOME offers 0.5 to 3; 1 is the normal size.
  if (!ok || factor < 0.5 || factor > 3 || factor == 1) return std::nullopt;
  return QByteArray::number(factor);
}

void FollowDesktopTextSize(bool platformByOption) {
  if (platformByOption) return;
  TextSizeSession s;
  s.gnome = InGnomeSession();
  s.wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  s.platform = qgetenv("QT_QPA_PLATFORM");
  s.scaleChosen = !qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR") ||
                  !qEnvironmentVariableIsEmpty("QT_SCREEN_SCALE_FACTORS");
  s.forcedDpi = qgetenv("QT_WAYLAND_FORCE_DPI");
  if (!s.wayland || s.scaleChosen) return;
  if (s.gnome && s.forcedDpi.isEmpty()) {
    s.gnomeFactor = GnomeSettings::Text("org.gnome.desktop.interface", "text-scaling-factor").value_or("");
  }
  if (const std::optional<QByteArray> scale = ScaleForTextSize(s)) {
    qputenv("QT_SCALE_FACTOR", *scale);
    qunsetenv("QT_WAYLAND_FORCE_DPI");
    qCInfo(lcPlatform, "the desktop's text size on Wayland: the window scaled by %s", scale->constData());
  }
}
