# SPDX-License-Identifier: MIT
# What the test scripts and benchmarks share. Source it, then:
#   check WHAT GOT EXPECTED   an ok or FAIL line; a failure sets fail=1
#   check_that COMMAND...     the same for a command that must succeed
#   eventually WHAT EXPECTED COMMAND...
#                             check, giving COMMAND's output up to about
#                             10 s to become EXPECTED (a loaded machine)
#   find_window SECONDS ARGS...
#                             the first window `xdotool search ARGS` finds,
#                             waiting up to SECONDS for one (a search ends
#                             in an X error when a window goes while it looks)
#   appears FILE [SECONDS]    waits up to SECONDS (10) for a helper to make FILE
#   copies_hold_nothing PID PRESS READ PUT
#                             checks that 100 Copy presses of a box holding
#                             100,000 characters leave resident memory
#                             within 2 MiB: PRESS clicks where the pointer
#                             is (on that Copy), READ prints the clipboard,
#                             PUT TEXT puts one there
#   at NAME [DX]              where a click on a control of the window lands:
#                             "x y" in the window, in pixels at 96 dpi; DX
#                             pixels from its left edge (12 by default, or
#                             its middle where it is narrower), 12 from its
#                             top (or its middle)
#   geometry NAME             the control's place as WxH+X+Y (ImageMagick's
#                             crop) in the window at 96 dpi
#   offer SELECTION TEXT      TEXT on the X clipboard or primary selection,
#                             held by an xclip of its own (which ends with
#                             the X server or the next owner), once another
#                             program reads it back: a loaded machine starts
#                             xclip late, and a click before then pastes what
#                             was there
# The places come from the window's own control table, through the
# layout_points program that $NOMBRELIX_LAYOUT_POINTS names, read when this
# is sourced; a Windows build's .exe runs under ${WINE:-wine}, so a script
# calls layout_load itself once its Wine is ready.
fail=0
check() {
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: got '${2:0:80}', expected '${3:0:80}'"; fail=1; fi
}
check_that() {
  if "$@"; then echo "ok: $*"; else echo "FAIL: $*"; fail=1; fi
}
eventually() {
  local what=$1 expected=$2 got _
  shift 2
  for _ in $(seq 20); do got=$("$@"); [ "$got" = "$expected" ] && break; sleep 0.2; done
  check "$what" "$got" "$expected"
}

offer() {
  # Never on the caller's output, which a command substitution waits on.
  printf '%s' "$2" | xclip -selection "$1" -i >/dev/null 2>&1
  local _
  for _ in $(seq 50); do
    [ "$(timeout 2 xclip -selection "$1" -o 2>/dev/null)" = "$2" ] && return 0
    sleep 0.1
  done
  echo "note: the $1 did not come to hold '${2:0:80}'"
}
appears() {
  local _
  for _ in $(seq $((${2:-10} * 10))); do [ -e "$1" ] && return 0; sleep 0.1; done
  echo "note: $1 did not appear"
  return 1
}
copies_hold_nothing() {
  local pid=$1 press=$2 read=$3 put=$4 before after
  copies_() {  # n: Copy presses, then waits until the window has taken them all
    local _
    for _ in $(seq "$1"); do $press; done
    # All taken once a text put after them stays: a Copy still queued
    # would take the clipboard back.
    for _ in $(seq 20); do
      $put "<none>"
      sleep 0.5
      [ "$($read 2>/dev/null)" = "<none>" ] && break
    done
    $press
    for _ in $(seq 100); do [ "$($read 2>/dev/null | wc -c)" = 100000 ] && break; sleep 0.1; done
  }
  rss_() { awk '/^VmRSS/ {print $2}' "/proc/$pid/status"; }
  copies_ 5
  before=$(rss_)
  copies_ 100
  after=$(rss_)
  check "the copies held the box's 100,000 characters" "$($read 2>/dev/null | wc -c)" 100000
  echo "100 copies of 100,000 characters: resident ${before} KiB -> ${after} KiB"
  if [ -n "${NOMBRELIX_SANITIZED:-}" ]; then
    echo "note: under AddressSanitizer freed memory is held back: the copies' memory is not judged"
  else
    check "100 copies of a 100,000-character box: memory within 2 MiB" "$((after - before < 2048))" 1
  fi
}
find_window() {
  local tries=$(($1 * 5)) id _
  shift
  for _ in $(seq "$tries"); do
    id=$(xdotool search "$@" 2>/dev/null | head -n1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

declare -A layout_rect=()
layout_load() {
  local tool=${NOMBRELIX_LAYOUT_POINTS:?the layout_points program}
  local run=("$tool") name left top width height
  [[ $tool == *.exe ]] && run=("${WINE:-wine}" "$tool")
  while read -r name left top width height; do
    layout_rect[$name]="$left $top $width $height"
  done < <("${run[@]}" 2>/dev/null | tr -d '\r')
  [ ${#layout_rect[@]} -gt 0 ] || { echo "FAIL: no control table from $tool"; exit 1; }
}
at() {
  local rect=${layout_rect[$1]:-}
  [ -n "$rect" ] || { echo "FAIL: no control $1 in the table" >&2; exit 1; }
  local left top width height
  read -r left top width height <<<"$rect"
  local dx=${2:-$((width / 2 < 12 ? width / 2 : 12))} dy=$((height / 2 < 12 ? height / 2 : 12))
  echo "$((left + dx)) $((top + dy))"
}
geometry() {
  local rect=${layout_rect[$1]:-} left top width height
  [ -n "$rect" ] || { echo "FAIL: no control $1 in the table" >&2; exit 1; }
  read -r left top width height <<<"$rect"
  echo "${width}x$height+$left+$top"
}
case ${NOMBRELIX_LAYOUT_POINTS:-} in '' | *.exe) ;; *) layout_load ;; esac
