#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up where no platform can be started: one plain line that says what
# is missing and what to try, exit status 1, no abort.
# Usage: no_display_test.sh path/to/nombrelix
set -uo pipefail
app=$1
fail=0
n=77
# A display nobody serves: no socket file, nor the abstract socket an X
# server also listens on, which a chroot still reaches.
while [ -e "/tmp/.X11-unix/X$n" ] || grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null; do n=$((n + 1)); done
run() {  # what, expected start of the line (a pattern), env settings... [-- program arguments...]
  local what=$1 expect=$2
  shift 2
  local settings=() err status
  while [ $# -gt 0 ] && [ "$1" != -- ]; do settings+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${settings[@]}" timeout 20 "$app" "$@" 2>&1 >/dev/null)
  status=$?
  # shellcheck disable=SC2053
  if [ "$status" = 1 ] && [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] && [[ $err == $expect* ]] &&
    [[ $err != *einstall* ]]; then
    echo "ok: $what: $err"
  else
    echo "FAIL: $what: status $status, said:"
    printf '%s\n' "$err"
    fail=1
  fi
}
run "unreachable display" "nombrelix: cannot open the display \":$n\" (no desktop? try: xvfb-run nombrelix)" DISPLAY=":$n"
run "unknown platform" "nombrelix: no Qt platform plugin \"nosuchplatform\" (available: *; try: unset QT_QPA_PLATFORM)" QT_QPA_PLATFORM=nosuchplatform
run "no display set" "nombrelix: cannot open a display" -u DISPLAY
run "-platform names an unknown plugin" \
  "nombrelix: no Qt platform plugin \"nosuchplatform\" (available: *; try: nombrelix without -platform)" \
  -- -platform nosuchplatform
run "unreachable Wayland display" \
  "nombrelix: cannot open the Wayland display \"nowhere-$n\" (no compositor there? try: xvfb-run nombrelix)" \
  -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="nowhere-$n" XDG_RUNTIME_DIR="${TMPDIR:-/tmp}"
run "unreachable Wayland display beside an X display" \
  "nombrelix: cannot open the Wayland display \"nowhere-$n\" (no compositor there? try: unset QT_QPA_PLATFORM to use the X display)" \
  DISPLAY=":$n" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="nowhere-$n" XDG_RUNTIME_DIR="${TMPDIR:-/tmp}"
exit $fail
