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
. "$(dirname "$0")/../scripts/private-kwin.sh"
. "$(dirname "$0")/lib.sh"
private_kwin_need convert compare gdbus wl-paste
private_kwin_bus "$0" "$@"
private_kwin_start
scheme() { private_kwin_scheme "$1"; }

shot=$private_x_dir/shot.png
# The window's frame on KWin's black desktop: WxH+X+Y, once it stands still.
frame() {
  local last="" now _
  for _ in $(seq 50); do
    import -window root "$shot"
    now=$(convert "$shot" -crop 1000x700+0+0 -bordercolor black -border 1 -trim -format '%wx%h%X%Y' info: 2>/dev/null)
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
stop() { kill "$app_pid" 2>/dev/null || true; wait "$app_pid" 2>/dev/null || true; sleep 0.5; }
# The window's client area from the last screenshot, into FILE.
client() { convert "$shot" -crop "$(size "$geometry" | awk -v t="$title_h" '{print $1 - 6 "x" $2 - t - 3}')+$(($(xy) + 3))+$(($(xy y) + title_h))" +repage "$1"; }
xy() { local x=${geometry#*[+-]}; if [ "${1:-}" = y ]; then echo "${x#*[+-]}"; else echo "${x%%[+-]*}"; fi; }
# A colour scheme chosen while programs run, as Plasma's settings write
# it: kdeglobals rewritten, then its notices on the session bus.
switch_to() {
  scheme "$1"
  gdbus emit --session --object-path /kdeglobals --signal org.kde.kconfig.notify.ConfigChanged \
    "{'General': [b'ColorScheme'], 'Colors:Window': [b'BackgroundNormal'], 'Colors:View': [b'BackgroundNormal']}" >/dev/null
  gdbus emit --session --object-path /KGlobalSettings --signal org.kde.KGlobalSettings.notifyChange 0 0 >/dev/null
}
# Pixels of the client area unlike FILE's (a text cursor may blink), once
# the window has changed to within a few.
unlike() {
  local n _
  for _ in $(seq 30); do
    import -window root "$shot"
    client "$private_x_dir/now.png"
    n=$(compare -metric AE -fuzz 1% "$private_x_dir/now.png" "$1" null: 2>&1 || true)
    [ "${n%%.*}" -le 64 ] 2>/dev/null && break
    sleep 0.3
  done
  [ "${n%%.*}" -le 64 ] 2>/dev/null && echo few || echo "$n"
}
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
client "$private_x_dir/light.png"
# The title bar's buttons at its right end, dark on Breeze's light bar:
# minimize and close, no maximize for a window of fixed size.
buttons=$(convert "$shot" -crop "100x$((title_h - 4))+$(($(xy) + nw - 100))+$(($(xy y) + 2))" +repage \
  -colorspace gray -threshold 50% -negate -define connected-components:verbose=true \
  -define connected-components:area-threshold=4 -connected-components 8 null: |
  awk '$NF == "gray(255)" {split($2, box, /[x+]/); if (box[1] >= 4 && box[2] <= 16) n++} END {print n + 0}')
check "KWin's title bar: minimize and close, no maximize" "$buttons" 2
# KWin found the window's desktop entry: its icon, green among other
# colours, is at the title bar's left.
green=$(convert "$shot" -crop "24x$((title_h - 4))+$(($(xy) + 4))+$(($(xy y) + 2))" +repage -depth 8 txt:- |
  awk -F'[(,)]' 'NR > 1 && $4 > $3 + 40 && $4 > $5 + 40 {n++} END {print (n > 4) ? "ours" : "another"}')
check "KWin matched the window to its desktop entry: its icon" "$green" ours
# Typed and updated as a user would; Copy All's text read back.
point() {  # where a control is on the screen
  local x y
  read -r x y <<<"$(at "$1")"
  echo $(($(xy) + 3 + x)) $(($(xy y) + title_h + y))
}
xdotool mousemove $(point txtDec) click 1
xdotool type --delay 50 255
xdotool key Return Return
xdotool mousemove $(point "cmdCopy(3)") click 1
eventually "255, Enter, Enter, Copy All on KWin" "255<>FF<>11111111<>" \
  sh -c 'timeout 2 wl-paste --no-newline 2>/dev/null'
# A Copy holds no memory beyond the clipboard's text.
put() {  # TEXT, once another program reads it back
  local _
  wl-copy -- "$1" 2>/dev/null
  for _ in $(seq 50); do [ "$(timeout 2 wl-paste --no-newline 2>/dev/null)" = "$1" ] && return; sleep 0.1; done
}
put "$(head -c 100000 /dev/zero | tr '\0' A)"
xdotool mousemove $(point "cmdPaste(1)") click 1
xdotool mousemove $(point "cmdCopy(1)")
copies_hold_nothing "$app_pid" "xdotool click 1" "timeout 2 wl-paste --no-newline" put
# Closed from KWin's own close button: the program ends, all well.
xdotool mousemove $(($(xy) + nw - 22)) $(($(xy y) + title_h / 2)) click 1
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
status=gone
kill -0 "$app_pid" 2>/dev/null && status=running
[ "$status" = gone ] && { wait "$app_pid"; status=$?; }
check "closed from KWin's title bar: the program ended with status 0" "$status" 0
xdotool mousemove 1020 4  # where the frame is not looked for (KWin draws its pointer)
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
client "$private_x_dir/dark.png"
stop

# Switched while the program runs, each way: the same window as a fresh
# start in that scheme.
scheme BreezeLight
start
switch_to BreezeDark
check "switched to Breeze Dark while running: as started dark" "$(unlike "$private_x_dir/dark.png")" few
[ -z "${NOMBRELIX_KDE_SHOTS:-}" ] || cp "$shot" "$NOMBRELIX_KDE_SHOTS-switched-dark.png"
switch_to BreezeLight
check "and back to Breeze: as started light" "$(unlike "$private_x_dir/light.png")" few
[ -z "${NOMBRELIX_KDE_SHOTS:-}" ] || cp "$shot" "$NOMBRELIX_KDE_SHOTS-switched-light.png"
stop

# A high-contrast colour scheme: black on white, Plasma's own colours.
sed -e 's/^BackgroundNormal=.*/BackgroundNormal=255,255,255/' -e 's/^BackgroundAlternate=.*/BackgroundAlternate=255,255,255/' \
  -e 's/^ForegroundNormal=.*/ForegroundNormal=0,0,0/' /usr/share/color-schemes/BreezeLight.colors >"$XDG_CONFIG_HOME/kdeglobals"
start
check "a high-contrast scheme: the window takes its white" "$(pixel 3 3)" FFFFFF
[ -z "${NOMBRELIX_KDE_SHOTS:-}" ] || cp "$shot" "$NOMBRELIX_KDE_SHOTS-high-contrast.png"
stop
exit "$fail"
