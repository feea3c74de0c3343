// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

class QWidget;
struct wl_display;
struct wl_seat;
struct xcb_connection_t;

// Which display server the program draws on, decided once from the
// platform plugin Qt started. The offscreen and minimal plugins are
// Other, though the offscreen one offers an X11 interface.
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
