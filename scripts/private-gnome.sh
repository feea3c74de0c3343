# SPDX-License-Identifier: MIT
# A private headless GNOME Shell session (Wayland, with Xwayland and the
# desktop portal) for tests. Source it, then:
#   private_gnome_need [TOOL...]  skips the caller (exit status 77) unless
#                                 GNOME Shell, Xwayland, dbus-daemon, gdbus,
#                                 gsettings, the settings portal and every
#                                 TOOL are there, or it cannot have mounts
#                                 of its own (not root)
#   private_gnome_isolate "$@"    runs the caller again in mounts of its own:
#                                 GNOME makes its X socket folder itself,
#                                 and must not see this machine's systemd
#   private_gnome_start WxH       starts the session in a scratch home, with
#                                 $private_gnome_dir/share first in
#                                 XDG_DATA_DIRS; exports what its programs
#                                 need (WAYLAND_DISPLAY, DISPLAY, XAUTHORITY,
#                                 the session bus, XDG_CURRENT_DESKTOP=GNOME,
#                                 XDG_SESSION_TYPE=wayland), unsets
#                                 QT_QPA_PLATFORM, and stops it all on exit;
#                                 a session that does not answer within a
#                                 minute is reported and started once more,
#                                 and one still running after
#                                 $PRIVATE_GNOME_WATCHDOG seconds (240) is
#                                 reported
#   private_gnome_report          what the session's programs are doing
#   gnome_until SECONDS COMMAND... COMMAND until it succeeds, up to SECONDS
#   gnome_eval JS                 the value of JS in the shell (unsafe mode)
#   gnome_shot FILE X Y W H       a screenshot of that part of the screen
private_gnome_pids=() private_gnome_session_pids=()
private_gnome_dir=$(mktemp -d)
private_gnome_stop() {
  local p
  for p in "${private_gnome_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  private_gnome_end_session
  rm -rf "$private_gnome_dir"
}
trap private_gnome_stop EXIT

private_gnome_need() {
  local tool
  for tool in gnome-shell Xwayland dbus-daemon gdbus gsettings unshare ps pkill "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  [ -x /usr/libexec/xdg-desktop-portal ] && [ -e /usr/share/xdg-desktop-portal/portals/gnome.portal ] ||
    { echo "SKIP: xdg-desktop-portal-gnome is not installed"; exit 77; }
  [ "$(id -u)" = 0 ] || { echo "SKIP: a GNOME session of its own needs root (mounts of its own)"; exit 77; }
}

private_gnome_isolate() {
  [ -n "${PRIVATE_GNOME_ISOLATED:-}" ] && return 0
  # In a chroot the root is no mount point to make private; the chroot's
  # own mounts are private already (as a clean room makes them).
  local propagation=private
  unshare --mount --propagation private true 2>/dev/null || propagation=unchanged
  PRIVATE_GNOME_ISOLATED=1 exec unshare --mount --propagation "$propagation" -- "$BASH" "$0" "$@"
}

private_gnome_start() {
  local size=${1:-1024x768} attempt
  mkdir -p /tmp/.X11-unix
  mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix
  [ -d /run/systemd ] && mount -t tmpfs tmpfs /run/systemd
  mkdir -p "$private_gnome_dir/share"
  export XDG_DATA_DIRS=$private_gnome_dir/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
  export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
  unset QT_QPA_PLATFORM
  # A stalled session tells what it was doing before a test's time limit
  # kills it without a word.
  (
    trap 'kill "$nap" 2>/dev/null; exit' TERM
    sleep "${PRIVATE_GNOME_WATCHDOG:-240}" </dev/null >/dev/null 2>&1 &
    nap=$!
    wait "$nap"
    echo "GNOME session: still running after ${PRIVATE_GNOME_WATCHDOG:-240} s"
    private_gnome_report
  ) >&2 &
  private_gnome_pids+=($!)
  # A session that does not come up at all is GNOME's start, not what is
  # under test: it is reported and started afresh, once.
  for attempt in 1 2; do
    private_gnome_session "$size" && return 0
    echo "GNOME Shell did not come up (attempt $attempt):" >&2
    private_gnome_report >&2
    private_gnome_end_session
  done
  return 1
}

# Runs COMMAND until it succeeds, for up to SECONDS.
gnome_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

private_gnome_session() {
  local dir=$private_gnome_dir
  mkdir -m 700 "$dir/run"
  mkdir -p "$dir/home"
  export HOME=$dir/home XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/home/.config
  unset DISPLAY WAYLAND_DISPLAY XAUTHORITY
  # A system bus of its own, that answers nothing GNOME asks of it.
  DBUS_SYSTEM_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
    --address="unix:dir=$dir/run" 3>"$dir/system-bus.pid")
  private_gnome_session_pids=("$(cat "$dir/system-bus.pid")")
  export DBUS_SYSTEM_BUS_ADDRESS
  DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
    --address="unix:dir=$dir/run" 3>"$dir/session-bus.pid")
  private_gnome_session_pids+=("$(cat "$dir/session-bus.pid")")
  export DBUS_SESSION_BUS_ADDRESS
  # No banners over the windows under test (such as "Screen Lock disabled").
  # No wallpaper either: GNOME Shell 43 starts ibus-daemon with a JavaScript
  # child setup, which deadlocks in the forked child when another thread
  # held the type system's lock; the wallpaper's loading thread runs within
  # milliseconds of it, the likeliest such thread (not proven).
  local key
  for key in "notifications show-banners false" "background picture-options none"; do
    timeout 20 gsettings set org.gnome.desktop.$key || { echo "gsettings did not answer" >&2; return 1; }
  done
  gnome-shell --headless --wayland --unsafe-mode --virtual-monitor "$1" >"$dir/gnome.log" 2>&1 &
  private_gnome_session_pids+=($!)
  echo $! >"$dir/shell.pid"
  local started=$SECONDS
  gnome_until 60 private_gnome_answers || return 1
  export WAYLAND_DISPLAY=wayland-0
  DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$dir/gnome.log" | head -n1)
  XAUTHORITY=$(ls "$dir"/run/.mutter-Xwaylandauth.* 2>/dev/null | head -n1)
  export DISPLAY XAUTHORITY
  # The session ends its start in the overview; a user's first window
  # shows on the desktop.
  gnome_until 20 eval '[ "$(gnome_eval Main.layoutManager._startingUp)" = false ]' ||
    echo "note: GNOME Shell still starting up after 20 s" >&2
  gnome_until 20 eval '[ "$(gnome_eval "Main.overview.hide(); Main.overview.visible || Main.overview.animationInProgress")" = false ]' ||
    echo "note: GNOME Shell's overview still showing after 20 s" >&2
  echo "GNOME Shell $(gnome-shell --version | sed 's/[^0-9.]//g') up in $((SECONDS - started)) s" >&2
}
private_gnome_answers() {
  [ -S "$private_gnome_dir/run/wayland-0" ] && grep -q "Using public X11 display" "$private_gnome_dir/gnome.log" &&
    [ "$(gnome_eval 1 2>/dev/null)" = 1 ]
}
private_gnome_end_session() {
  local p shell
  # A forked child stuck before its exec outlives the shell otherwise.
  shell=$(cat "$private_gnome_dir/shell.pid" 2>/dev/null) && pkill -KILL -P "$shell" -x gnome-shell || true
  for p in "${private_gnome_session_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${private_gnome_session_pids[@]}"; do
    gnome_until 5 eval '! kill -0 "$p" 2>/dev/null' || kill -9 "$p" 2>/dev/null || true
  done
  umount -l "$private_gnome_dir/run/doc" 2>/dev/null || true
  rm -rf "$private_gnome_dir/run" "$private_gnome_dir/home"
}
# What the session's programs are doing, and the end of the shell's log.
private_gnome_report() {
  ps -eo pid,ppid,stat,etimes,wchan:24,args |
    grep -E 'gnome-shell|Xwayland|dbus-daemon|dconf|portal|gsettings|nombrelix' | grep -v grep || true
  local shell t
  shell=$(cat "$private_gnome_dir/shell.pid" 2>/dev/null) || shell=
  for t in ${shell:+/proc/$shell/task/*}; do
    echo "  shell thread $(cat "$t/comm" 2>/dev/null): $(cat "$t/wchan" 2>/dev/null)"
  done
  # A child that is still the shell never got to its exec.
  for t in $(pgrep -P "${shell:-0}" -x gnome-shell); do
    echo "  shell child $t, forked but not run, waits in $(cat "/proc/$t/wchan" 2>/dev/null)"
  done
  tail -n 40 "$private_gnome_dir/gnome.log"
}

# The shell's answer, unquoted: (true, '"text"') gives text.
gnome_eval() {
  local out
  # A shell that stalls fails a call in 10 s, not in D-Bus's 25.
  out=$(gdbus call --session --timeout 10 -d org.gnome.Shell -o /org/gnome/Shell -m org.gnome.Shell.Eval "$1") ||
    return 1
  [[ $out == "(true, "* ]] || { echo "gnome_eval: $out" >&2; return 1; }
  out=${out#(true, \'}
  out=${out%\')}
  out=${out#\"}
  echo "${out%\"}"
}

gnome_shot() {
  gdbus call --session --timeout 10 -d org.gnome.Shell.Screenshot -o /org/gnome/Shell/Screenshot \
    -m org.gnome.Shell.Screenshot.ScreenshotArea "$2" "$3" "$4" "$5" false "$1" >/dev/null
}
