#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window as a blind user meets it: the real Orca screen reader on a
# private X server, speaking through speech-dispatcher and espeak-ng into
# a silent sound card, every spoken string caught in a log. The keyboard
# alone walks the window; each step waits for what Orca must say.
# Usage: e2e_orca.sh path/to/nombrelix
set -euo pipefail
app=$1
here=$(dirname "$0")
. "$here/../scripts/private-x.sh"
. "$here/lib.sh"
private_x_need orca openbox speech-dispatcher espeak-ng dbus-run-session
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${NOMBRELIX_ORCA_BUS:-}" ]; then
  # A session bus of its own, for the accessibility bus and the settings.
  exec env NOMBRELIX_ORCA_BUS=1 dbus-run-session -- "$0" "$@"
fi
private_x_start 1024x768x24

# A home of the test's own: Orca's settings and its speech capture, a
# silent ALSA device, speech-dispatcher told to use ALSA (it waits forever
# for a PulseAudio server otherwise).
export HOME=$private_x_dir/home
mkdir -p "$HOME/.local/share/orca" "$HOME/.config/speech-dispatcher"
cp "$here/orca/orca-customizations.py" "$HOME/.local/share/orca/"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
printf '%s\n' 'AudioOutputMethod "alsa"' 'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' \
  'DefaultModule espeak-ng' >"$HOME/.config/speech-dispatcher/speechd.conf"
export NOMBRELIX_SPEECH_LOG=$private_x_dir/speech.log
: >"$NOMBRELIX_SPEECH_LOG"
export GSETTINGS_BACKEND=memory QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
openbox >/dev/null 2>&1 &
private_x_pids+=($!)
orca --replace ${NOMBRELIX_ORCA_DEBUG:+--debug-file="$NOMBRELIX_ORCA_DEBUG"} >"$private_x_dir/orca.log" 2>&1 &
private_x_pids+=($!)
orca_pid=$!

# Waits until Orca has said a line holding TEXT since the last step began
# (a button is a "push button" to Orca 43, a "button" to Orca 48).
said() {
  local _
  for _ in $(seq 100); do
    sed -n "$step_from,\$p" "$NOMBRELIX_SPEECH_LOG" | sed 's/ push button/ button/' | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  return 1
}
step_from=1
step() {
  step_name=$1
  echo "== $1" >>"$NOMBRELIX_SPEECH_LOG"
  step_from=$(wc -l <"$NOMBRELIX_SPEECH_LOG")
}
heard() {
  if said "$1"; then echo "ok: $step_name: heard '$1'"; else
    echo "FAIL: $step_name: Orca did not say '$1'"
    fail=1
  fi
}
# How often TEXT was said as a whole word in the step so far.
times_said() { sed -n "$step_from,\$p" "$NOMBRELIX_SPEECH_LOG" | grep '^SPEECH' | grep -o -w -F -- "$1" | wc -l; }
keys() { xdotool key --delay 120 "$@"; }

step "Orca starts"
said "Screen reader on" || { echo "FAIL: Orca did not start"; cat "$private_x_dir/orca.log"; exit 1; }
step "start"
private_x_window "$app"
heard "Dec to Hex to Bin"
heard "Decimal text"

step "type 255, Enter"
xdotool type --delay 120 255
keys Return
heard "Update from Decimal button"
step "Update from Decimal"
keys Return
heard "Hex FF, Binary 11111111, Byte"

# Tab from Update: the other two Update buttons, then each option group,
# its name once.
step "the Types group"
keys Tab Tab Tab
heard "Byte"
sleep 1
check "$step_name: its name said once" "$(times_said Types)" 1
step "the Display group"
keys Tab
heard "Little Endian"
sleep 1
check "$step_name: its name said once" "$(times_said Display)" 1

step "Copy"
keys Tab
heard "Copy Decimal button"
keys Return
heard "Copied Decimal 255"
step "Copy All"
keys Tab Tab Tab Tab Tab Tab
heard "Copy All button"
keys Return
heard "Copied Decimal 255, Hex FF, Binary 11111111"
# The clipboard's text is no number: the Decimal row refuses it, and says
# what it holds.
step "Paste refused"
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
heard "Paste Decimal button"
keys Return
heard "Decimal 255"

# Back to the Decimal box: a number past the bound.
step "the clamp"
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
heard "Decimal text"
keys ctrl+a BackSpace
xdotool type --delay 60 99999999999
keys Return Return
heard "Decimal 2147483647, Hex FFFFFF7F, Binary 11111111111111111111111101111111, Long"

step "Update from Hex"
keys shift+Tab shift+Tab
heard "Hex text"
keys ctrl+a BackSpace
xdotool type --delay 60 FFFFFFFF
keys Return Return
heard "Decimal 4.294967E+09, exactly 4294967295, Binary 11111111111111111111111111111111"

step "Update from Binary"
keys shift+Tab shift+Tab
heard "Binary text"
keys ctrl+a BackSpace
xdotool type --delay 60 1010
keys Return Return
heard "Decimal 10, Hex 0A"

kill -0 "$orca_pid" 2>/dev/null || { echo "FAIL: Orca ended"; fail=1; }
kill -0 "$private_x_app" 2>/dev/null || { echo "FAIL: the program ended"; fail=1; }
if [ "$fail" != 0 ]; then
  echo "--- what Orca said"
  cat "$NOMBRELIX_SPEECH_LOG"
fi
[ -z "${NOMBRELIX_SPEECH_KEEP:-}" ] || cp "$NOMBRELIX_SPEECH_LOG" "$NOMBRELIX_SPEECH_KEEP"
exit "$fail"
