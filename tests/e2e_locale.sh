#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end in Arabic (Egypt): the program's own scientific text, with the
# locale's decimal separator, reads back, and the locale's own digits are
# read when pasted.
# Usage: e2e_locale.sh path/to/nombrelix
set -euo pipefail
app=$1
locale -a 2>/dev/null | grep -qi '^ar_EG\.utf-\?8$' || { echo "SKIP: no ar_EG.UTF-8 locale"; exit 77; }
. "$(dirname "$0")/../scripts/private-x.sh"
private_x_need xclip
private_x_start 800x600x24

LANG=ar_EG.UTF-8 LC_ALL=ar_EG.UTF-8 private_x_window "$app"
win=$private_x_win

fail=0
check() { if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: got '$2', expected '$3'"; fail=1; fi; }
box_y=(2040 2700 3360) copy_x=(3420 5640 5640) paste_x=(3900 6120 6120)
click_twips() { xdotool mousemove --window "$win" $(($1 / 15 + 12)) $(($2 / 15 + 12)) click 1; sleep 0.25; }
text_of() { click_twips "${copy_x[$1]}" "${box_y[$1]}"; timeout 2 xclip -selection clipboard -o 2>/dev/null || true; }

click_twips 300 2700                  # the Hex box
xdotool type --window "$win" --delay 30 "01020304"
click_twips $((3300 + 120)) $((60 + 720))   # Big Endian
click_twips 4740 2700                 # Update from Hex
check "a Hex Update writes the locale's decimal separator" "$(text_of 0)" "1٫690906E+07"
click_twips 2520 2040                 # Update from Decimal: the text reads back
check "the scientific text reads back" "$(text_of 1)" "01020304"

printf '%s' "١٢٣" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
private_x_pids+=($!)
sleep 0.3
click_twips "${paste_x[0]}" "${box_y[0]}"
click_twips $((120 + 240)) $((60 + 300))    # Automatic
click_twips 2520 2040
check "pasted Arabic-Indic digits convert" "$(text_of 1)" "7B"
check "and stand in the box as pasted" "$(text_of 0)" "١٢٣"
exit $fail
