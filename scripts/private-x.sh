# SPDX-License-Identifier: MIT
# A private X server for tests, benchmarks and scripts. Source it, then:
#   private_x_need [TOOL...]  a test's check: skips it (exit status 77)
#                             unless Xvfb, xdotool and every TOOL are there
#   private_x_start [WxHxD]   starts Xvfb on a free display, exports DISPLAY
#                             and a private XDG_RUNTIME_DIR, and stops it all
#                             on exit (with anything added to private_x_pids)
#   private_x_run CMD...      starts CMD in the background, logged to
#                             $private_x_dir/app.log; its pid is $!
#   private_x_window CMD...   runs the program CMD as private_x_run does,
#                             waits for its window "Dec to Hex to Bin" and
#                             gives it the focus; sets private_x_app (the
#                             pid) and private_x_win, or fails with the log
#   private_x_open CMD...     both: an 800x600 server, then the window; sets
#                             app_pid and win as well
# $private_x_dir is a scratch folder that goes with the server.
private_x_pids=()
private_x_dir=$(mktemp -d)
private_x_stop() {
  local p
  for p in "${private_x_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${private_x_pids[@]}"; do kill -CONT "$p" 2>/dev/null || true; done
  rm -rf "$private_x_dir"
}
trap private_x_stop EXIT

private_x_need() {
  local tool
  for tool in Xvfb xdotool "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

private_x_start() {
  exec 3>"$private_x_dir/display"
  Xvfb -displayfd 3 -screen 0 "${1:-800x600x24}" -nolisten tcp >"$private_x_dir/xvfb.log" 2>&1 &
  private_x_pids+=($!)
  local _
  for _ in $(seq 100); do [ -s "$private_x_dir/display" ] && break; sleep 0.1; done
  exec 3>&-
  [ -s "$private_x_dir/display" ] || { echo "Xvfb did not start" >&2; cat "$private_x_dir/xvfb.log" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$private_x_dir/display")"
  export XDG_RUNTIME_DIR=$private_x_dir
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}

private_x_run() {
  "$@" >>"$private_x_dir/app.log" 2>&1 &
  private_x_pids+=($!)
}

private_x_window() {
  private_x_run "$@"
  private_x_app=$!
  private_x_win=$(timeout 10 xdotool search --sync --name '^Dec to Hex to Bin$' | head -n1)
  [ -n "$private_x_win" ] || { echo "FAIL: the window did not appear" >&2; cat "$private_x_dir/app.log" >&2; return 1; }
  # Through the window manager where one runs; xdotool's own focus otherwise.
  xdotool windowactivate --sync "$private_x_win" 2>/dev/null || xdotool windowfocus --sync "$private_x_win"
}

private_x_open() {
  private_x_start 800x600x24
  private_x_window "$@"
  app_pid=$private_x_app win=$private_x_win
}
