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
. "$(dirname "$0")/lib.sh"
private_x_need xclip
LANG=ar_EG.UTF-8 LC_ALL=ar_EG.UTF-8 private_x_open "$app"

# shellcheck disable=SC2046
click() { xdotool mousemove --window "$win" $(at "$@") click 1; sleep 0.25; }
text_of() { click "cmdCopy($1)"; timeout 2 xclip -selection clipboard -o 2>/dev/null || true; }

click txtHex 24
xdotool type --window "$win" --delay 30 "01020304"
click "optDisplay(1)"
click "cmdUpdate(1)"
check "a Hex Update writes the locale's decimal separator" "$(text_of 0)" "1٫690906E+07"
click "cmdUpdate(0)"   # the text reads back
check "the scientific text reads back" "$(text_of 1)" "01020304"

offer clipboard "١٢٣"
click "cmdPaste(0)"
click "optType(0)"
click "cmdUpdate(0)"
check "pasted Arabic-Indic digits convert" "$(text_of 1)" "7B"
check "and stand in the box as pasted" "$(text_of 0)" "١٢٣"
exit $fail
