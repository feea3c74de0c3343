#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end on Wayland, natively: the built program in a headless sway,
# driven by a virtual pointer and keyboard (wl_input) and wl-clipboard: the
# walkthrough, a key filter, the paste paths (buttons, Shift+Insert, the
# context menu, the middle button, drops), a clipboard owner that never
# answers, a change of the output's scale, and closing the window.
# Usage: e2e_wayland.sh path/to/nombrelix path/to/wl_input path/to/drag_source
set -euo pipefail
app=$1 wl_input=$2 drag_source=$3
. "$(dirname "$0")/../scripts/private-wayland.sh"
. "$(dirname "$0")/lib.sh"
private_wl_need wl-copy wl-paste grim compare
private_wl_start 1600x1200
dir=$private_wl_dir
pids=()
trap 'for p in "${pids[@]}"; do kill -CONT "$p" 2>/dev/null || true; kill "$p" 2>/dev/null || true; done; private_wl_stop' EXIT

coproc INPUT { "$wl_input" 1600 1200 2>"$dir/input.log"; }
pids+=($INPUT_PID)
send() { echo "$*" >&"${INPUT[1]}"; local reply; read -r -u "${INPUT[0]}" reply; [ "$reply" = ok ] || echo "wl_input: $* failed"; }

tree() { private_wl_tree | grep "^io.github.nombrelix"; }
start() {
  "$app" >>"$dir/app.log" 2>&1 &
  app_pid=$!
  pids+=($app_pid)
  for _ in $(seq 100); do read -r app_id title _ ox oy ww wh <<<"$(tree)" || true; [ -n "${ox:-}" ] && break; sleep 0.1; done
  [ -n "${ox:-}" ] || { echo "FAIL: the window did not appear"; cat "$dir/app.log"; exit 1; }
  sleep 0.3
}
boxes=(txtDec txtHex txtBin) rows=(Decimal Hex Binary)
click() {  # control [button]
  local x y
  read -r x y <<<"$(at "$1")"
  send move $((ox + x)) $((oy + y))
  send click "${2:-1}"
  sleep 0.2
}
text_of() {  # a box's text, through its Copy button, once the window has taken the click (a loaded machine is late)
  put "<none>"
  click "cmdCopy($1)"
  local got _
  for _ in $(seq 50); do
    got=$(timeout 2 wl-paste --no-newline 2>/dev/null) && [ "$got" != "<none>" ] && break
    got=
    sleep 0.1
  done
  printf '%s' "$got"
}
put() {  # [--primary] [--] text: offered by a wl-copy, once another program reads it back
  local which=()
  [ "$1" != --primary ] || { which=(--primary); shift; }
  [ "$1" != -- ] || shift
  wl-copy "${which[@]}" -- "$1"
  local _
  for _ in $(seq 50); do
    [ "$(timeout 2 wl-paste "${which[@]}" --no-newline 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
  echo "note: the selection did not come to hold '$1'"
}

start
check "app id and title" "$app_id $title" "io.github.nombrelix.Nombrelix Dec_to_Hex_to_Bin"
area=$(geometry window)
check "client area" "${ww}x$wh" "${area%%+*}"

# --- The walkthrough, and a key filter ----------------------------------------
click txtDec
send type 3z0x0
send key Return
send key Return
check "300 typed (z and x refused), Enter, Enter: Hex" "$(text_of 1)" "2C01"
check "and Binary" "$(text_of 2)" "0010110000000001"

# --- Paste paths follow the row's rule ------------------------------------------
put 12abc
click "cmdPaste(0)"
check "Paste of 12abc into Decimal" "$(text_of 0)" "300"
put ff
click "cmdPaste(1)"
check "Paste of ff into Hex" "$(text_of 1)" "ff"
click txtHex
put "क्षि"
send key shift+Insert
sleep 0.2
check "Shift+Insert of Devanagari into Hex" "$(text_of 1)" "क्षि"
put --primary 42
click txtDec 2
check "middle button with 42 selected, on Decimal" "$(text_of 0)" "42"
put --primary xyz
click txtDec 2
check "middle button with xyz selected, on Decimal" "$(text_of 0)" "42"
put 12abc
click txtDec 3
send key p
sleep 0.2
check "the context menu's Paste of 12abc into Decimal" "$(text_of 0)" "42"
put -- -5
click txtDec 3
send key p
sleep 0.2
check "the context menu's Paste of -5 into Decimal" "$(text_of 0)" "-5"

# A drag from another program's window (tiled behind the floating window).
# The source lives until the box shows the outcome: the box may ask it for
# the text late on a loaded machine.
drop() {  # row text expected
  rm -f "$dir/pressed"
  "$drag_source" "$2" "$dir/pressed" >>"$dir/app.log" 2>&1 &
  local src=$! sx sy _ try
  pids+=($src)
  # A window in sway's tree may not have drawn yet, and then a press on it
  # is lost: pressed again until the source says it took one.
  for try in 1 2 3; do
    sx=
    for _ in $(seq 50); do read -r _ _ _ sx sy _ <<<"$(private_wl_tree | awk -v pid="$src" '$1 == "drag_source" && $3 == pid')" || true; [ -n "${sx:-}" ] && break; sleep 0.1; done
    sleep 0.3
    send move $((sx + 10)) $((sy + 10))
    send down 1
    appears "$dir/pressed" 4 && break
    send up 1
  done
  local x y step
  read -r x y <<<"$(at "${boxes[$1]}" 22)"
  x=$((ox + x)) y=$((oy + y))
  for step in 1 2 3 4 5 6; do
    send move $((sx + 10 + (x - sx - 10) * step / 6)) $((sy + 10 + (y - sy - 10) * step / 6))
    sleep 0.1
  done
  send up 1
  eventually "dropping $2 onto ${rows[$1]}" "$3" text_of "$1"
  kill "$src"
  wait "$src" 2>/dev/null || true
}
drop 0 9x9 -5
drop 0 1024 1024
drop 2 "ABकCD" "ABकCD"

# --- A clipboard owner that never answers ----------------------------------------
hung() {  # what, clipboard|primary, the paste's click...
  local what=$1 which=$2
  shift 2
  if [ "$which" = primary ]; then put --primary ab; else put ab; fi
  local owner
  owner=$(pgrep -n -x wl-copy)
  kill -STOP "$owner"
  local t0 t1 got
  t0=$(date +%s%N)
  "$@"
  click "cmdCopy(1)"   # queued behind the paste
  # The stopped owner answers no read: the first that succeeds is the
  # window's, and shows that it went on without the owner. How long that
  # took is a figure; a minute without is a window that waits for the owner.
  until got=$(timeout 0.2 wl-paste --no-newline 2>/dev/null); do
    [ $(($(date +%s%N) - t0)) -lt 60000000000 ] || { got="(no answer while the owner was stopped)"; break; }
  done
  t1=$(date +%s%N)
  kill -CONT "$owner"
  check "$what: the Hex box is kept" "$got" "1F"
  echo "note: $what: the window answered after $(((t1 - t0) / 1000000)) ms"
}
put 1F
click "cmdPaste(1)"
hung "Paste button, owner stopped" clipboard click "cmdPaste(1)"
hung "Shift+Insert, owner stopped" clipboard eval 'click txtHex; send key shift+Insert'
hung "middle button, selection owner stopped" primary click txtHex 2
put cd
click "cmdPaste(1)"
check "once the owner answers again, the next paste works" "$(text_of 1)" "cd"
kill -0 "$app_pid" || { echo "FAIL: the program ended"; fail=1; }

# --- A Copy holds no memory beyond the clipboard's own text ------------------------
# 100 Copy presses of a 100,000-character box leave resident memory within
# 2 MiB of where it was (Qt 6.4's Wayland clipboard kept every copy).
long=$(head -c 100000 /dev/zero | tr '\0' A)
put "$long"
click "cmdPaste(1)"
read -r x y <<<"$(at "cmdCopy(1)")"
send move $((ox + x)) $((oy + y))
copies_hold_nothing "$app_pid" "send click 1" "timeout 2 wl-paste --no-newline" put

# --- The output's scale changes while the window is open -------------------------
# The text cursor blinks: only what differs beyond it counts.
differ() { compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 || true; }
shot() {  # name: the window once it has stopped changing (a loaded machine redraws late), 10 s at most
  local try d
  rm -f "$dir/$1.png"
  for try in $(seq 21); do
    # Until the window is back on the output, there is nothing to take.
    read -r _ _ _ ox oy ww wh <<<"$(tree)"
    if grim -g "$ox,$oy ${ww}x$wh" "$dir/$1.next.png" 2>/dev/null; then
      d=$([ ! -e "$dir/$1.png" ] || differ "$dir/$1.png" "$dir/$1.next.png")
      mv "$dir/$1.next.png" "$dir/$1.png"
      [ "${d%% *}" -lt 2000 ] 2>/dev/null && return 0
    fi
    sleep 0.5
  done
}
scaled() {  # from to
  sway_ipc output HEADLESS-1 scale "$1" >/dev/null
  kill "$app_pid"; wait "$app_pid" 2>/dev/null || true
  start
  sway_ipc output HEADLESS-1 scale "$2" >/dev/null
  shot live
  kill "$app_pid"; wait "$app_pid" 2>/dev/null || true
  start
  shot fresh
  local differ
  differ=$(differ "$dir/live.png" "$dir/fresh.png")
  [ "${differ%% *}" -lt 2000 ] && echo "ok: scale $1 to $2: as sharp as a fresh start ($differ pixels differ)" ||
    { echo "FAIL: scale $1 to $2: $differ pixels differ from a fresh start"; fail=1; }
}
scaled 1 2
scaled 2 1
scaled 1 1.5
sway_ipc output HEADLESS-1 scale 1 >/dev/null

# --- Moving between controls asks the compositor for nothing ----------------------
# (An activation token at each focus change, never freed, grew a long
# session's memory.)
kill "$app_pid"; wait "$app_pid" 2>/dev/null || true
export WAYLAND_DEBUG=client
start
unset WAYLAND_DEBUG
for c in txtDec txtHex "cmdUpdate(0)" txtBin "optType(1)" txtDec "cmdCopy(1)" txtHex "optDisplay(1)" txtBin; do click "$c"; done
check "activation tokens asked for over 10 clicks between controls" \
  "$(grep -c 'get_activation_token' "$dir/app.log" || true)" 0
: >"$dir/app.log"

# --- Closing the window ends the program -----------------------------------------
kill "$app_pid"; wait "$app_pid" 2>/dev/null || true
left=0
for _ in $(seq "${CLOSES:-20}"); do
  start
  sway_ipc "[pid=$app_pid] kill" >/dev/null
  for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app_pid" 2>/dev/null; then left=$((left + 1)); kill -9 "$app_pid"; fi
  wait "$app_pid" 2>/dev/null || true
done
check "closes that left the program running, of ${CLOSES:-20}" "$left" 0
exit $fail
