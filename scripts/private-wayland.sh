# SPDX-License-Identifier: MIT
# A private headless Wayland compositor (sway) for tests and benchmarks.
# Source it, then:
#   private_wl_need [TOOL...]  skips the caller (exit status 77) unless sway,
#                              swaymsg and every TOOL are there
#   private_wl_start WxH       starts sway on a headless output of that size
#                              (as nobody when root: sway refuses root),
#                              exports WAYLAND_DISPLAY, XDG_RUNTIME_DIR and
#                              QT_QPA_PLATFORM=wayland, unsets DISPLAY, and
#                              stops it all on exit (with private_wl_pids)
#   sway_ipc ARGS...           swaymsg to that compositor
#   private_wl_tree            one line per window: app_id, title (blanks as
#                              _), pid, x, y, width, height of its client area
# $private_wl_dir is a scratch folder that goes with the compositor.
private_wl_pids=()
private_wl_dir=$(mktemp -d)
private_wl_stop() {
  local p
  for p in "${private_wl_pids[@]}"; do kill -CONT "$p" 2>/dev/null || true; kill "$p" 2>/dev/null || true; done
  rm -rf "$private_wl_dir"
}
trap private_wl_stop EXIT

private_wl_need() {
  local tool
  for tool in sway swaymsg setpriv "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

private_wl_start() {
  local dir=$private_wl_dir size=${1:-1600x1200}
  mkdir -m 700 "$dir/run"
  printf 'xwayland disable\noutput HEADLESS-1 resolution %s scale 1\n' "$size" >"$dir/sway.conf"
  local as_compositor=()
  if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$dir/run"
    chmod 755 "$dir"
    chmod 644 "$dir/sway.conf"
    as_compositor=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  fi
  export XDG_RUNTIME_DIR=$dir/run QT_QPA_PLATFORM=wayland
  unset DISPLAY WAYLAND_DISPLAY
  "${as_compositor[@]}" env HOME="$dir" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    XDG_RUNTIME_DIR="$dir/run" sway -c "$dir/sway.conf" >"$dir/sway.log" 2>&1 &
  private_wl_pids+=($!)
  local socket= _
  for _ in $(seq 100); do
    socket=$(cd "$dir/run" && ls wayland-* 2>/dev/null | grep -v lock | head -n1 || true)
    [ -n "$socket" ] && ls "$dir"/run/sway-ipc.* >/dev/null 2>&1 && break
    sleep 0.1
  done
  [ -n "$socket" ] || { echo "sway did not start" >&2; cat "$dir/sway.log" >&2; return 1; }
  export WAYLAND_DISPLAY=$socket
}

sway_ipc() { swaymsg -s "$(ls "$private_wl_dir"/run/sway-ipc.* | head -n1)" "$@"; }

private_wl_tree() {
  sway_ipc -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("app_id"):
        r, w = n["rect"], n["window_rect"]
        print(n["app_id"], n["name"].replace(" ", "_"), n["pid"], r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}
