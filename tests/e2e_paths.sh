#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end: every way a real desktop offers into a box, in the built
# program under Xvfb with a window manager: modifier chords, keypad keys,
# Shift+Insert, the context menu, the middle button, drops, and where the
# keyboard focus goes and shows.
# Usage: e2e_paths.sh path/to/nombrelix path/to/drag_source
set -euo pipefail
app=$1 drag_source=$2
. "$(dirname "$0")/../scripts/private-x.sh"
. "$(dirname "$0")/lib.sh"
private_x_need xclip import compare
private_x_start 800x600x24
command -v openbox >/dev/null && { private_x_run openbox; sleep 0.5; }

private_x_window "$app"
app_pid=$private_x_app win=$private_x_win
sleep 0.3

boxes=(txtDec txtHex txtBin) rows=(Decimal Hex Binary)
# shellcheck disable=SC2046
click() { xdotool mousemove --window "$win" $(at "$1") click "${2:-1}"; sleep 0.25; }
focus_box() { click "${boxes[$1]}"; xdotool key End; }
# A box's text, through its Copy button ("" when the button is disabled).
text_of() {
  offer clipboard "<none>"
  click "cmdCopy($1)"
  local got
  got=$(timeout 2 xclip -selection clipboard -o 2>/dev/null || true)
  [ "$got" = "<none>" ] && got=""
  printf '%s' "$got"
}
set_box() {  # row text: a box emptied by keys, then typed
  focus_box "$1"
  xdotool key --repeat 40 BackSpace
  xdotool type --delay 20 "$2"
  sleep 0.2
}

# --- Chords with Ctrl and Alt still pass the box's filter ---------------------
set_box 2 "1"
xdotool key ctrl+alt+9 ctrl+alt+minus ctrl+alt+period ctrl+alt+2
check "Ctrl+Alt chords in the Binary box" "$(text_of 2)" "1"
set_box 0 "1"
xdotool key ctrl+alt+9 ctrl+alt+minus ctrl+alt+period ctrl+v ctrl+a
check "Ctrl+Alt chords in the Decimal box" "$(text_of 0)" "19-"
set_box 1 "1"
xdotool key ctrl+alt+period ctrl+alt+g
check "Ctrl+Alt chords in the Hex box" "$(text_of 1)" "1"

# --- Keypad: digits and Enter, and Enter again presses Update -----------------
set_box 1 "1"
set_box 0 ""
xdotool key KP_3 KP_0 KP_0 KP_Enter
sleep 0.2
xdotool key KP_Enter
sleep 0.3
check "keypad 300, Enter, Enter converts" "$(text_of 1)" "2C01"

# --- Shift+Insert, the menu's Paste and the middle button follow Paste --------
set_box 0 "300"
offer clipboard "12abc"
xdotool key shift+Insert
check "Shift+Insert of 12abc into Decimal" "$(text_of 0)" "300"
focus_box 0
offer clipboard "77"
xdotool key shift+Insert
check "Shift+Insert of 77 replaces Decimal" "$(text_of 0)" "77"
focus_box 1
offer clipboard "zz"
xdotool key shift+Insert
check "Shift+Insert into Hex takes any text" "$(text_of 1)" "zz"

focus_box 0
offer clipboard "12abc"
xdotool key Menu
sleep 0.4
xdotool key p
sleep 0.3
check "the menu's Paste of 12abc into Decimal" "$(text_of 0)" "77"
focus_box 0
offer clipboard "-5"
xdotool key Menu
sleep 0.4
xdotool key p
sleep 0.3
check "the menu's Paste of -5 into Decimal" "$(text_of 0)" "-5"

offer primary "xyz"
click txtDec 2
check "middle button with xyz selected, on Decimal" "$(text_of 0)" "-5"
offer primary "42"
click txtDec 2
check "middle button with 42 selected, on Decimal" "$(text_of 0)" "42"

# --- Drops ----------------------------------------------------------------------
# The source lives until the box shows the outcome: the box may ask it for
# the text late on a loaded machine.
drop() {  # row text expected
  rm -f "$private_x_dir/pressed"
  private_x_run "$drag_source" "$2" "$private_x_dir/pressed"
  local src_pid=$! src
  src=$(find_window 10 --pid "$src_pid" --name '^drag source$')
  sleep 0.3
  xdotool mousemove --window "$src" 30 30 mousedown 1
  appears "$private_x_dir/pressed" || true
  sleep 0.1
  local x y step
  read -r x y <<<"$(at "${boxes[$1]}" 30)"
  for step in 1 2 3 4 5 6; do
    xdotool mousemove --window "$win" $((x * step / 6)) $((y * step / 6))
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.2
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
  eventually "dropping $2 onto ${rows[$1]}" "$3" text_of "$1"
  kill "$src_pid" 2>/dev/null || true
  wait "$src_pid" 2>/dev/null || true  # its windows gone before the next search
}
drop 0 "9x9" "42"
drop 0 "1024" "1024"
drop 2 "abc" "abc"

# --- Any script, by every path: drawn from the package's fonts or as boxes ------
focus_box 1
offer clipboard "क्षि"
xdotool key shift+Insert
check "Shift+Insert of Devanagari into Hex" "$(text_of 1)" "क्षि"
focus_box 2
offer clipboard "ក្ស"
xdotool key Menu
sleep 0.4
xdotool key p
sleep 0.3
check "the menu's Paste of Khmer into Binary" "$(text_of 2)" "ក្ស"
offer primary "ܐܒܓ"
click txtHex 2
check "middle button with Syriac, on Hex" "$(text_of 1)" "ܐܒܓ"
LC_ALL=C.UTF-8 drop 2 "ABकCD" "ABकCD"
offer clipboard $'\xee\x80\x80'
click "cmdPaste(1)"
check "the Paste button with a private-use character, on Hex" "$(text_of 1)" $'\xee\x80\x80'

# --- Focus: shown after Enter, and Tab lands on the chosen option --------------
crop() { import -window "$win" -crop "$(geometry "cmdUpdate(0)")" "$private_x_dir/$1.png"; }
set_box 0 "300"
xdotool key Return
sleep 0.3
crop after-enter
xdotool key Tab shift+Tab
sleep 0.3
crop after-tab
focus_box 0
sleep 0.2
crop unfocused
same() { [ "$(compare -metric AE "$private_x_dir/$1.png" "$private_x_dir/$2.png" null: 2>&1)" = 0 ]; }
same after-enter after-tab && echo "ok: the focus ring shows after Enter" || { echo "FAIL: no focus ring after Enter"; fail=1; }
same after-enter unfocused && { echo "FAIL: a focused Update looks unfocused"; fail=1; } || echo "ok: focus is visible"

xdotool key Return Return   # Update: 300 chooses Integer
sleep 0.3
focus_box 2
xdotool key Tab Tab Tab Tab Down   # into Types, then one option on
sleep 0.3
click "cmdUpdate(0)"
check "Tab into Types lands on the chosen Integer" "$(text_of 1)" "2C010000"

kill -0 "$app_pid" || { echo "FAIL: the program ended"; fail=1; }
exit $fail
