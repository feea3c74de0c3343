#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end: the built program in a real X server, typed at with xdotool,
# its clipboard read and written with xclip.
# Usage: e2e.sh path/to/nombrelix
set -euo pipefail
app=$1
. "$(dirname "$0")/../scripts/private-x.sh"
. "$(dirname "$0")/lib.sh"
private_x_need xclip
private_x_open "$app"

# The desktop matches the window to its entry by class, and shows its icon.
if command -v xprop >/dev/null; then
  props=$(xprop -id "$win")
  grep -q 'WM_CLASS(STRING) = "nombrelix", "Nombrelix"' <<<"$props" && echo "ok: window class" ||
    { echo "FAIL: window class"; fail=1; }
  grep -q '_NET_WM_ICON(CARDINAL)' <<<"$props" && echo "ok: window icon" || { echo "FAIL: no window icon"; fail=1; }
fi

# Waits until the clipboard holds the expected text.
expect_clipboard() {
  local got=""
  for _ in $(seq 50); do
    got=$(timeout 2 xclip -selection clipboard -o 2>/dev/null || true)
    [ "$got" = "$1" ] && { echo "ok: clipboard holds '$1'"; return 0; }
    sleep 0.1
  done
  echo "FAIL: clipboard holds '$got', expected '$1'"
  fail=1
}
click() {
  # shellcheck disable=SC2046
  xdotool mousemove --window "$win" $(at "$1") click 1
  sleep 0.3
}

# The walkthrough: 300, Enter, Enter, then Copy All.
xdotool type --window "$win" --delay 30 "300"
xdotool key --window "$win" Return
sleep 0.2
xdotool key --window "$win" Return
sleep 0.3
click "cmdCopy(3)"   # Copy All
expect_clipboard "300<>2C01<>0010110000000001<>"

# Paste into the Hex box takes the text unchanged; Copy Hex gives it back.
offer clipboard "ff"
click "cmdPaste(1)"
click "cmdCopy(1)"
expect_clipboard "ff"

# The Decimal box refuses text that is no number.
offer clipboard "12abc"
click "cmdPaste(0)"
click "cmdCopy(0)"
expect_clipboard "300"

# Texts in scripts whose fonts lack OpenType tables, pasted twice: Qt's
# warning for each cause is in the log once.
for text in "தமிழ் ૧૨૩ ಕನ್ನಡ" "हिन्दी ১২৩ ਪੰਜਾਬੀ" "தமிழ் ૧૨૩ ಕನ್ನಡ" "हिन्दी ১২৩ ਪੰਜਾਬੀ"; do
  offer clipboard "$text"
  click "cmdPaste(1)"
done
check "each of the toolkit's messages is logged once" "$(sort "$private_x_dir/app.log" | uniq -d | head -n1)" ""

kill -0 "$app_pid" || { echo "FAIL: the program ended"; fail=1; }
exit $fail
