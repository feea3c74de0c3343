#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end on GNOME Shell itself (headless, Wayland with Xwayland, the
# settings portal), started as GNOME starts it, with no platform chosen:
# the frame GNOME gives the window has no button that does nothing, the
# desktop shows the program's own name, the window is dark when the desktop
# is and follows a switch both ways while it runs, keys and the clipboard
# work, and closing from the title bar or from GNOME ends the program. A
# user's own platform and style still win.
# Usage: e2e_gnome.sh path/to/nombrelix path/to/desktop-entry
set -euo pipefail
app=$1 entry=$2
. "$(dirname "$0")/../scripts/private-gnome.sh"
private_gnome_need xclip convert
private_gnome_isolate "$@"
. "$(dirname "$0")/lib.sh"
mkdir -p "$private_gnome_dir/share/applications"
cp "$entry" "$private_gnome_dir/share/applications/"
# GNOME lists an entry only where its program is on the PATH.
export PATH=$(cd "$(dirname "$app")" && pwd):$PATH
gsettings_() { timeout 20 gsettings "$@" || { echo "FAIL: gsettings $*"; fail=1; }; sleep 0.5; }
private_gnome_start 1024x768
dir=$private_gnome_dir
area=$(geometry window)
area_w=${area%%x*}
area_h=${area#*x}
area_h=${area_h%%+*}

# --- The window as GNOME sees it ----------------------------------------------
window_js() { echo "global.get_window_actors().map(a => a.meta_window).find(w => w.get_pid() == $1)"; }
# kind (x11 or wayland), decorated by GNOME, can maximize, maximized, the
# frame's x y w h, the client area's x y, and the desktop's application id.
window_info() {
  gnome_eval "(() => { const w = $(window_js "$1"); if (!w) return '';
    const f = w.get_frame_rect(), c = w.frame_rect_to_client_rect(f);
    const app = imports.gi.Shell.WindowTracker.get_default().get_window_app(w);
    return [w.get_client_type() == 1 ? 'x11' : 'wayland', w.decorated, w.can_maximize(), w.get_maximized(),
            f.x, f.y, f.width, f.height, c.x, c.y, app ? app.get_id() : 'none'].join(' '); })()"
}
start() {  # [env...] -- [args...]
  local envs=()
  while [ "$1" != -- ]; do envs+=("$1"); shift; done
  shift
  [ -z "${NOMBRELIX_GNOME_SHOTS:-}" ] || [ ! -e "$dir/app.log" ] || cat "$dir/app.log" >>"$NOMBRELIX_GNOME_SHOTS-app.log"
  : >"$dir/app.log"
  env QT_LOGGING_RULES=nombrelix.platform.info=true "${envs[@]}" "$app" "$@" >>"$dir/app.log" 2>&1 &
  app_pid=$!
  gnome_until 30 eval 'info=$(window_info "$app_pid") && [ -n "$info" ]' || {
    echo "FAIL: the window did not appear"
    cat "$dir/app.log"
    private_gnome_report
    exit 1
  }
  sleep 0.5
  info=$(window_info "$app_pid")
  read -r kind decorated can_max maximized fx fy fw fh cx cy app_id <<<"$info"
  if [ "$kind" = wayland ]; then
    # A title bar of the window's own: GNOME's frame rect holds it, and a
    # border as wide on the sides and the bottom (and its client rect, the
    # shadows around that).
    local border=$(((fw - area_w) / 2))
    cx=$((fx + border)) cy=$((fy + fh - area_h - border))
  fi
}
ended() {  # whether the program ends within 5 s
  local _
  for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || { wait "$app_pid" 2>/dev/null || true; return 0; }; sleep 0.1; done
  kill "$app_pid"
  return 1
}

# A virtual pointer and keyboard of the shell's own.
input_js='const C = imports.gi.Clutter, now = imports.gi.GLib.get_monotonic_time();
  const seat = C.get_default_backend().get_default_seat();
  global.nlxPointer ??= seat.create_virtual_device(C.InputDeviceType.POINTER_DEVICE);
  global.nlxKeys ??= seat.create_virtual_device(C.InputDeviceType.KEYBOARD_DEVICE);'
click_at() {  # x y [clicks]
  local js="$input_js global.nlxPointer.notify_absolute_motion(now, $1, $2);" i
  for i in $(seq "${3:-1}"); do
    js+=" global.nlxPointer.notify_button(now + $i * 2000, C.BUTTON_PRIMARY, C.ButtonState.PRESSED);"
    js+=" global.nlxPointer.notify_button(now + $i * 2000 + 1000, C.BUTTON_PRIMARY, C.ButtonState.RELEASED);"
  done
  gnome_eval "$js 1" >/dev/null
  sleep 0.3
}
click() {  # a control of the window
  local x y
  read -r x y <<<"$(at "$1")"
  click_at $((cx + x)) $((cy + y))
}
keys() {  # keyvals pressed together, then released
  local js="$input_js" k
  for k in "$@"; do js+=" global.nlxKeys.notify_keyval(now, $k, C.KeyState.PRESSED);"; done
  for k in "$@"; do js+=" global.nlxKeys.notify_keyval(now + 1000, $k, C.KeyState.RELEASED);"; done
  gnome_eval "$js 1" >/dev/null
  sleep 0.1
}
type_digits() { local i; for ((i = 0; i < ${#1}; i++)); do keys $((0x30 + ${1:i:1})); done; }
shot() {  # the window with some of the desktop around it, for the README
  [ -z "${NOMBRELIX_GNOME_SHOTS:-}" ] || gnome_shot "$NOMBRELIX_GNOME_SHOTS-$1.png" $((fx - 24)) $((fy - 24)) $((fw + 48)) $((fh + 48))
}
lightness() {  # of the client area, 0 (black) to 1 (white); NAME
  gnome_shot "$dir/shot.png" "$cx" "$cy" "$area_w" "$area_h"
  [ -z "${NOMBRELIX_GNOME_SHOTS:-}" ] || cp "$dir/shot.png" "$NOMBRELIX_GNOME_SHOTS-area-$1.png"
  convert "$dir/shot.png" -alpha off -colorspace Gray -format '%[fx:mean > 0.6 ? 1 : (mean < 0.35 ? 0 : mean)]' info:
}
title_h() { echo $((cy - fy)); }

# --- Started as GNOME starts it, the desktop dark ------------------------------
gsettings_ set org.gnome.desktop.interface color-scheme prefer-dark
start --
echo "the window: $info"
check "no title-bar maximize: GNOME may not maximize it" "$can_max" false
check "the desktop shows the program's own entry" "$app_id" "$(basename "$entry")"
# Qt's stand-in title bar is not wanted: GNOME's frame, or Qt's adwaita.
case $kind in
  x11) check "GNOME draws the frame (through Xwayland)" "$decorated" true ;;
  *) check "Qt's adwaita title bar" "$(grep -c "Qt's adwaita title bar" "$dir/app.log")" 1 ;;
esac
eventually "dark at start, as the desktop (a portal slow under load answers late)" 0 lightness start
gnome_eval "$input_js 1" >/dev/null  # a new device's first event can be lost
sleep 0.2
type_digits 255
keys 0xff0d
keys 0xff0d
click "cmdCopy(1)"
check "keys typed, Enter, Enter, Copy: Hex" "$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)" FF
# A Copy holds no memory beyond the clipboard's text.
offer clipboard "$(head -c 100000 /dev/zero | tr '\0' A)"
click "cmdPaste(1)"
click "cmdCopy(1)"
read -r px py <<<"$(at "cmdCopy(1)")"
press() { gnome_eval "$input_js global.nlxPointer.notify_absolute_motion(now, $((cx + px)), $((cy + py)));
  global.nlxPointer.notify_button(now + 1000, C.BUTTON_PRIMARY, C.ButtonState.PRESSED);
  global.nlxPointer.notify_button(now + 2000, C.BUTTON_PRIMARY, C.ButtonState.RELEASED); 1" >/dev/null; }
copies_hold_nothing "$app_pid" press "timeout 2 xclip -o -selection clipboard" "offer clipboard"
shot dark
h=$(title_h)
click_at $((fx + fw / 2)) $((fy + h / 2)) 2
keys 0xffeb 0xff52
read -r _ _ _ maximized _ _ fw2 fh2 _ <<<"$(window_info "$app_pid")"
check "a double-click on the title bar and Super+Up leave it as it is" "$maximized ${fw2}x$fh2" "0 ${fw}x$fh"
gsettings_ set org.gnome.desktop.interface color-scheme default
eventually "light when the desktop turns light" 1 lightness light
shot light
gsettings_ set org.gnome.desktop.interface color-scheme prefer-dark
eventually "dark again when it turns dark" 0 lightness dark
click_at $((fx + fw - h / 2)) $((fy + h / 2))
check_that ended

# --- A layout with a maximize button; the user's own style --------------------
gsettings_ set org.gnome.desktop.wm.preferences button-layout 'appmenu:minimize,maximize,close'
start -- -style Fusion
check "with maximize in the layout: GNOME's frame, which leaves it out" "$kind $decorated $can_max" "x11 true false"
check "the user's -style keeps the style's own light palette" "$(lightness style)" 1
gnome_eval "$(window_js "$app_pid").delete(global.get_current_time()); 1" >/dev/null
check_that ended
gsettings_ reset org.gnome.desktop.wm.preferences button-layout

# --- The desktop's high contrast and text size ------------------------------------
pixel() {  # the client area's colour at X Y
  gnome_shot "$dir/pixel.png" $((cx + $1)) $((cy + $2)) 1 1
  convert "$dir/pixel.png" -alpha off -format '%[hex:p{0,0}]' info:
}
gsettings_ set org.gnome.desktop.interface color-scheme default
gsettings_ set org.gnome.desktop.a11y.interface high-contrast true
start --
check "high contrast: a white window" "$(pixel 3 3)" FFFFFF
read -r bx by <<<"$(at txtHex)"
check "high contrast: black borders" "$(pixel "$bx" $((by - 12)))" 000000
shot high-contrast
gnome_eval "$(window_js "$app_pid").delete(global.get_current_time()); 1" >/dev/null
check_that ended
gsettings_ set org.gnome.desktop.a11y.interface high-contrast false
# Large Text, on Wayland: the whole window grows in proportion.
start QT_QPA_PLATFORM=wayland --
normal="$fw $fh"
gnome_eval "$(window_js "$app_pid").delete(global.get_current_time()); 1" >/dev/null
check_that ended
gsettings_ set org.gnome.desktop.interface text-scaling-factor 1.5
start QT_QPA_PLATFORM=wayland --
# The client area, without the title bar and borders, which Qt does not scale.
read -r nw nh <<<"$normal"
grown=$((((fw - nw + area_w) * 100 + area_w / 2) / area_w))x$((((fh - nh + area_h) * 100 + area_h / 2) / area_h))
echo "Large Text: the frame ${nw}x$nh -> ${fw}x$fh"
check "Large Text on Wayland: the window 1.5 times as large" "$grown" 150x150
shot large-text
gnome_eval "$(window_js "$app_pid").delete(global.get_current_time()); 1" >/dev/null
check_that ended
gsettings_ reset org.gnome.desktop.interface text-scaling-factor

# --- The user's own platform ---------------------------------------------------
start QT_QPA_PLATFORM=wayland --
check "QT_QPA_PLATFORM=wayland wins" "$kind" wayland
gnome_eval "$(window_js "$app_pid").delete(global.get_current_time()); 1" >/dev/null
check_that ended

exit $fail
