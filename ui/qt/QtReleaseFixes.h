// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <memory>

class QCloseEvent;
class QClipboard;
class QObject;
class QString;
class QEvent;
class QWidget;

// Mends for particular Qt releases, all here, each guarded by the releases
// it is known to be needed on, so that a later Qt gets its own behaviour
// (its test then shows whether the mend is still needed).
namespace QtReleaseFixes {

// Qt's own Wayland title bar ("bradient", where the compositor draws none)
// draws a maximize button whatever the window's flags say, and its click
// maximizes (seen on 6.4 and 6.8). A window of fixed size undoes it.
// Shown by Layout.WindowCaptionAndSize.
constexpr bool kTitleBarMaximizesFixedWindow = QT_VERSION < QT_VERSION_CHECK(6, 9, 0);
void UndoMaximizeOfFixedWindow(QWidget& window, const QEvent& event);

// On Wayland a window of fixed size keeps its buffer of the old scale when
// the scale of its output changes (6.4 draws on at the old scale, 6.8
// draws at the new one into the old buffer, a quarter of the window at
// 1 to 2), until its surface is made anew. Shown by e2e_wayland's scale
// changes.
constexpr bool kWaylandKeepsOldScale = QT_VERSION < QT_VERSION_CHECK(6, 9, 0);
void RemakeSurfaceAtNewScale(QWidget& window);

// Qt's Wayland teardown can wait forever on its event thread (the
// display's destructor; 4 closes in 20 on 6.8): on Wayland the program
// ends without it. Shown by e2e_wayland's closes.
constexpr bool kWaylandTeardownCanHang = QT_VERSION < QT_VERSION_CHECK(6, 9, 0);
[[nodiscard]] bool EndsWithoutTeardown();

// Qt's Wayland title bar closes the window from within its handling of the
// close button's click; GNOME Shell 48 (mutter 48.7) then at times aborts
// as it lets go of the focused window (1 close in 3 to 12 on a loaded
// machine), which ends the user's session. On Wayland the close is put off
// to the next turn of the event loop (`putOff` remembers it). Shown by
// e2e_gnome's close from the title bar.
constexpr bool kTitleBarClosesInsideClick = QT_VERSION < QT_VERSION_CHECK(6, 9, 0);
[[nodiscard]] bool PutOffClose(QWidget& window, QCloseEvent& event, bool& putOff);

// Qt before 6.8 has no announcement event for screen readers. Orca 43
// speaks a change of the focused control's description from the text the
// change carries, and Qt 6.4 sends that change with no text (its object
// instead). The result is sent as such a change, with its text, on Qt's
// own connection to the accessibility bus; the control's own description
// is sent back once the focus has left it. The control itself is
// unchanged. Shown by e2e_orca.
constexpr bool kNoAnnouncementEvent = QT_VERSION < QT_VERSION_CHECK(6, 8, 0);
void AnnounceAsDescriptionChange(QWidget& window, const QString& text);

// Qt's Wayland clipboard before 6.5.3 never frees the data it is handed,
// by the program's Copy or by the boxes themselves (each selection made in
// a box becomes the primary selection): all of it stayed in memory for the
// rest of the run (100 copies of a 100,000-character box: +30 MiB on 6.4).
// There the data the program handed is freed once the clipboard or the
// selection holds other data or none; the returned object does it while it
// lives (null where nothing is needed). Shown by e2e_wayland's 100 copies
// and the Wayland soak.
constexpr bool kWaylandClipboardKeepsEveryCopy = QT_VERSION < QT_VERSION_CHECK(6, 5, 3);
[[nodiscard]] std::unique_ptr<QObject> FreeReplacedClipboardData(QClipboard& clipboard);

// Qt before 6.5 does not tell the desktop's light or dark preference
// (QStyleHints::colorScheme and its change signal): there the program
// reads the settings portal, or GNOME's own setting, itself
// (DesktopColorScheme). Shown by e2e_gnome's switches on GNOME 43.
constexpr bool kNoColorSchemeHint = QT_VERSION < QT_VERSION_CHECK(6, 5, 0);

// Qt's Wayland plugin before 6.6 asks the compositor for an activation
// token at every change of the focused control inside the window (a click
// on a box or a button), and before 6.8 never frees the token's protocol
// object: a long session grew by about 50 KiB per 1,000 clicks and keys.
// There that request on focus changes (Qt's own connection on the
// application's focusObjectChanged, as 6.6 dropped it) is taken away; a
// window is still activated where the desktop asks. Shown by the Wayland
// soak's heap and e2e_wayland's count of tokens.
constexpr bool kWaylandActivatesOnFocusChange = QT_VERSION < QT_VERSION_CHECK(6, 6, 0);
void StopActivationOnFocusChange();

// Qt's own KDE theme before 6.6 reads Plasma's colours once, at start (6.5
// follows a change of the global theme or the widget style, not of the
// colour scheme alone): a colour scheme chosen while the program runs
// changed nothing. There, at Plasma's notice of a new palette
// (org.kde.KGlobalSettings.notifyChange), the colours are read anew by a
// fresh KDE theme of Qt's own; the returned object listens while it lives
// (null where nothing is needed). Shown by e2e_kde's switches on Plasma 5.
constexpr bool kKdeThemeReadsColoursOnce = QT_VERSION < QT_VERSION_CHECK(6, 6, 0);
[[nodiscard]] std::unique_ptr<QObject> FollowPlasmaColours();

}  // namespace QtReleaseFixes
