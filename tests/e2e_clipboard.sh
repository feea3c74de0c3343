#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end: a clipboard owner that never answers. Paste on each row ends
# without a change and the window goes on answering; a large text from a
# working owner still arrives whole.
# Usage: e2e_clipboard.sh path/to/nombrelix path/to/hung_owner
set -euo pipefail
app=$1 hung_owner=$2
. "$(dirname "$0")/../scripts/private-x.sh"
. "$(dirname "$0")/lib.sh"
private_x_need xclip
private_x_open "$app"

# shellcheck disable=SC2046
click() { xdotool mousemove --window "$win" $(at "$@") click 1; sleep 0.2; }
text_of() {  # row [seconds the read may take]
  click "cmdCopy($1)"
  timeout "${2:-2}" xclip -selection clipboard -o 2>/dev/null || true
}
hang_clipboard() {
  "$hung_owner" >"$private_x_dir/owner" &
  private_x_pids+=($!)
  for _ in $(seq 50); do grep -q owned "$private_x_dir/owner" 2>/dev/null && return; sleep 0.1; done
  echo "FAIL: the hung owner did not take the clipboard"
  exit 1
}

xdotool type --window "$win" --delay 30 "300"
xdotool key --window "$win" Return Return
sleep 0.3

for row in 0 1 2; do
  hang_clipboard
  click "cmdPaste($row)"
done
# The window answers: a key typed now arrives, and every box kept its text.
click txtDec 44
xdotool key --window "$win" End 5
sleep 0.3
check "Decimal kept its text and took a key" "$(text_of 0)" "3005"
check "Hex kept its text" "$(text_of 1)" "2C01"
check "Binary kept its text" "$(text_of 2)" "0010110000000001"
grep -q "Cannot\|Timeout\|timeout" "$private_x_dir/app.log" && { echo "note: $(head -n1 "$private_x_dir/app.log")"; }

# A million characters from a working owner arrive in chunks, whole.
big=$(head -c 1000000 /dev/zero | tr '\0' 'a')
offer clipboard "$big"
click "cmdPaste(1)"
# A million characters take a while to cross a loaded machine's X server.
length_of_hex() { text_of 1 20 | wc -c; }
eventually "a million characters pasted whole" 1000000 length_of_hex

kill -0 "$app_pid" || { echo "FAIL: the program ended"; fail=1; }
exit $fail
