#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window on KDE Plasma's own compositor: KWin nested in a private X
# server (software drawing), as a Plasma session starts a program: the
# desktop's colour scheme in kdeglobals, Plasma's platform theme chosen by
# Qt from the session, Wayland chosen by Qt. Measured from screenshots of
# KWin's output.
# Usage: e2e_kde.sh path/to/nombrelix
set -euo pipefail
app=$1
. "$(dirname "$0")/../scripts/private-x.sh"
. "$(dirname "$0")/lib.sh"
private_x_need kwin_wayland convert dbus-run-session
if [ -z "${NOMBRELIX_KDE_BUS:-}" ]; then
  exec env NOMBRELIX_KDE_BUS=1 dbus-run-session -- "$0" "$@"
fi
private_x_start 1280x800x24
export HOME=$private_x_dir/home XDG_CONFIG_HOME=$private_x_dir/home/.config
mkdir -p "$XDG_CONFIG_HOME"
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true XDG_SESSION_TYPE=wayland
scheme() { cp "/usr/share/color-schemes/$1.colors" "$XDG_CONFIG_HOME/kdeglobals"; }
scheme BreezeLight
# KWin carries file capabilities that a container may refuse to grant: a
# plain copy runs without them.
cp "$(command -v kwin_wayland)" "$private_x_dir/kwin_wayland"
KDE_SESSION_VERSION=$("$private_x_dir/kwin_wayland" --version 2>/dev/null | grep -o '[0-9][0-9]*' | head -n1)
export KDE_SESSION_VERSION
echo "KWin: $("$private_x_dir/kwin_wayland" --version 2>/dev/null)"
"$private_x_dir/kwin_wayland" --x11-display "$DISPLAY" --socket wayland-nlx --width 1024 --height 700 \
  --no-lockscreen >"$private_x_dir/kwin.log" 2>&1 &
private_x_pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-nlx" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wayland-nlx" ] || { echo "FAIL: KWin did not start"; cat "$private_x_dir/kwin.log"; exit 1; }
export WAYLAND_DISPLAY=wayland-nlx
unset DISPLAY_FOR_APP

shot=$private_x_dir/shot.png
# The window's frame on KWin's black desktop: WxH+X+Y, once it stands still.
frame() {
  local last="" now _
  for _ in $(seq 50); do
    import -window root "$shot"
    now=$(convert "$shot" -crop 1024x700+0+0 -bordercolor black -border 1 -trim -format '%wx%h%X%Y' info: 2>/dev/null)
    [ -n "$now" ] && [ "$now" = "$last" ] && [ "${now%%x*}" -gt 100 ] && { echo "$now"; return 0; }
    last=$now
    sleep 0.3
  done
  echo "$last"
}
start() {  # env...
  env "$@" QT_LOGGING_RULES=nombrelix.platform.info=true "$app" >"$private_x_dir/app.log" 2>&1 &
  app_pid=$!
  private_x_pids+=($app_pid)
  sleep 1
  geometry=$(frame)
}
stop() { kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; sleep 0.5; }
size() { local g=${1%%[+-]*}; echo "${g%%x*} ${g#*x}"; }
# The colour of the window's client area at X Y (from its top-left corner,
# below the title bar of HEIGHT pixels).
pixel() {
  local x=${geometry#*[+-]} y
  y=${x#*[+-]}
  x=${x%%[+-]*}
  convert "$shot" -crop "1x1+$((x - 1 + 3 + $1))+$((y - 1 + title_h + $2))" -format '%[hex:p{0,0}]' info:
}

start
read -r nw nh <<<"$(size "$geometry")"
title_h=$((nh - 256))
echo "the window on KWin: $geometry"
check "KWin shows the window with its frame" "$((nw >= 442 && nh > 256))" 1
[ -z "${NOMBRELIX_KDE_SHOTS:-}" ] || cp "$shot" "$NOMBRELIX_KDE_SHOTS-light.png"
stop

# Plasma's font DPI: startplasma-wayland hands Plasma 5's forceFontDPIWayland
# to programs as QT_WAYLAND_FORCE_DPI.
start QT_WAYLAND_FORCE_DPI=144
read -r fw fh <<<"$(size "$geometry")"
echo "font DPI 144: the frame ${nw}x$nh -> ${fw}x$fh"
check "font DPI 144: the window 1.5 times as large" \
  "$((((fw - nw + 442) * 100 + 221) / 442))x$((((fh - nh + 256) * 100 + 128) / 256))" 150x150
[ -z "${NOMBRELIX_KDE_SHOTS:-}" ] || cp "$shot" "$NOMBRELIX_KDE_SHOTS-font-dpi.png"
stop

# Plasma's dark scheme at start: Plasma's own colours (not another
# desktop's dark palette over them), the picture buttons' faces dark too.
scheme BreezeDark
start
rgb=$(awk -F= '/^\[Colors:Window\]/ {w = 1} w && /^BackgroundNormal=/ {print $2; exit}' \
  /usr/share/color-schemes/BreezeDark.colors)
check "Breeze Dark at start: Plasma's window colour" "$(pixel 3 3)" "$(printf '%02X%02X%02X' ${rgb//,/ })"
read -r bx by <<<"$(at "cmdCopy(1)" 3)"
face=$(pixel "$bx" $((by - 9)))
check "Breeze Dark: a dark face behind the pictures (#$face)" "$((0x${face:0:2} < 0x80 && 0x${face:2:2} < 0x80))" 1
[ -z "${NOMBRELIX_KDE_SHOTS:-}" ] || cp "$shot" "$NOMBRELIX_KDE_SHOTS-dark.png"
stop

# A high-contrast colour scheme: black on white, Plasma's own colours.
sed -e 's/^BackgroundNormal=.*/BackgroundNormal=255,255,255/' -e 's/^BackgroundAlternate=.*/BackgroundAlternate=255,255,255/' \
  -e 's/^ForegroundNormal=.*/ForegroundNormal=0,0,0/' /usr/share/color-schemes/BreezeLight.colors >"$XDG_CONFIG_HOME/kdeglobals"
start
check "a high-contrast scheme: the window takes its white" "$(pixel 3 3)" FFFFFF
[ -z "${NOMBRELIX_KDE_SHOTS:-}" ] || cp "$shot" "$NOMBRELIX_KDE_SHOTS-high-contrast.png"
stop
exit "$fail"
