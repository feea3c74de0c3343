// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>
#include <QtGlobal>
#include <optional>
#include <string>

class QWidget;
struct wl_display;
struct wl_seat;
struct xcb_connection_t;

// Which display server the program draws on, decided once from the
// platform plugin Qt started. The offscreen and minimal plugins are
// Other, though the offscreen one offers an X11 interface.
// QT_LOGGING_RULES="nombrelix.platform.info=true" tells what the program
// chose for the desktop it found.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)

enum class DisplayServer { X11, Wayland, Other };
DisplayServer CurrentDisplayServer();

// The toolkit's own Wayland connection and seat (null off Wayland), for
// readers that share its connection with an event queue of their own.
struct WaylandHandles {
  wl_display* display = nullptr;
  wl_seat* seat = nullptr;
};
WaylandHandles ToolkitWayland();

// The name of the X display the toolkit opened ("" off X11), so that a
// connection of our own reaches the same server.
QByteArray ToolkitXDisplayName();

// Whether XDG_CURRENT_DESKTOP names GNOME (also "ubuntu:GNOME" and the
// like): only there are GNOME's own settings read, so that a start on
// another desktop does not pay for them.
bool InGnomeSession();

// GNOME draws no title bar for Wayland windows; Qt's stand-in there
// ("bradient") looks like no GNOME window and shows a maximize button that
// a window of fixed size cannot obey. What this window gets instead:
//   Adwaita: Qt's GNOME-like Wayland title bar (Qt 6.8 on), whose buttons
//            follow GNOME's layout ("appmenu:close" unless the user
//            changed it);
//   X11:     GNOME's own frame, through Xwayland, which leaves out what a
//            window of fixed size cannot do;
//   AsItIs:  whatever Qt does (not GNOME on Wayland, or the user chose).
enum class GnomeFrame { AsItIs, Adwaita, X11 };
struct GnomeSession {
  bool gnomeOnWayland = false;     // XDG_CURRENT_DESKTOP names GNOME, on Wayland
  bool platformChosen = false;     // QT_QPA_PLATFORM or -platform
  bool decorationChosen = false;   // QT_WAYLAND_DECORATION
  bool xDisplay = false;           // Xwayland's DISPLAY is there
  bool adwaitaInstalled = false;   // Qt's adwaita title bar plugin
  bool layoutHasMaximize = false;  // GNOME's button layout has a maximize
  bool xWindowsScaled = false;     // GNOME scales X11 windows up (blurred)
};
GnomeFrame FrameOnGnome(const GnomeSession& session);

// Reads the session from the environment and GNOME's settings, and sets
// the platform (X11 first, Wayland if X11 fails) or the title bar as
// FrameOnGnome says; before the application is made.
GnomeFrame ChooseFrameOnGnome(bool platformChosen);

// The desktop's text size reaches an X11 program as Xft.dpi, which Qt
// turns into a scale of the whole window. A Wayland program is handed
// GNOME's (Large Text, text-scaling-factor) not at all, and Plasma 5's
// font DPI as QT_WAYLAND_FORCE_DPI, which makes fonts in points larger in
// a window that stays the same. There either becomes Qt's scale factor, so
// that the fixed window grows in proportion as it does on X11. The value
// for QT_SCALE_FACTOR, or nothing to set: not Wayland (`platform` is
// QT_QPA_PLATFORM as the start leaves it), a scale the user chose, or the
// normal size.
struct TextSizeSession {
  bool gnome = false;        // XDG_CURRENT_DESKTOP names GNOME
  bool wayland = false;      // a Wayland display is there
  QByteArray platform;       // QT_QPA_PLATFORM
  bool scaleChosen = false;  // QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS
  std::string gnomeFactor;   // text-scaling-factor as GNOME prints it
  QByteArray forcedDpi;      // QT_WAYLAND_FORCE_DPI
};
std::optional<QByteArray> ScaleForTextSize(const TextSizeSession& s);
// Reads the session and sets QT_SCALE_FACTOR as ScaleForTextSize says (a
// forced DPI it replaces is then unset); before the application is made,
// after ChooseFrameOnGnome. A platform named by -platform is not known
// here: then nothing is set.
void FollowDesktopTextSize(bool platformByOption);
