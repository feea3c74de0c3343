#!/usr/bin/env bash
# Start-up where no platform can be started: one plain line that says what
# is missing and what to try, exit status 1, no abort.
# Usage: no_display_test.sh path/to/nombrelix
set -uo pipefail
app=$1
fail=0
n=77
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done   # a display nobody serves
run() {  # what, expected start of the line, env settings...
  local what=$1 expect=$2
  shift 2
  local err status
  err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$app" 2>&1 >/dev/null)
  status=$?
  if [ "$status" = 1 ] && [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] && [[ $err == "$expect"* ]] &&
    [[ $err != *einstall* ]]; then
    echo "ok: $what: $err"
  else
    echo "FAIL: $what: status $status, said:"
    printf '%s\n' "$err"
    fail=1
  fi
}
run "unreachable display" "nombrelix: cannot open the display \":$n\" (no desktop? try: xvfb-run nombrelix)" DISPLAY=":$n"
run "unknown platform" "nombrelix: no Qt platform plugin \"nosuchplatform\" (available: " QT_QPA_PLATFORM=nosuchplatform
run "no display set" "nombrelix: cannot open a display" -u DISPLAY
exit $fail
