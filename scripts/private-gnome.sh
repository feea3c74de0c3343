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
#                                 QT_QPA_PLATFORM, and stops it all on exit
#   gnome_eval JS                 the value of JS in the shell (unsafe mode)
#   gnome_shot FILE X Y W H       a screenshot of that part of the screen
private_gnome_pids=()
private_gnome_dir=$(mktemp -d)
private_gnome_stop() {
  local p
  for p in "${private_gnome_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  # The document portal's file system.
  umount -l "$private_gnome_dir/run/doc" 2>/dev/null || true
  rm -rf "$private_gnome_dir"
}
trap private_gnome_stop EXIT

private_gnome_need() {
  local tool
  for tool in gnome-shell Xwayland dbus-daemon gdbus gsettings unshare "$@"; do
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
  local dir=$private_gnome_dir size=${1:-1024x768}
  mkdir -p /tmp/.X11-unix
  mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix
  [ -d /run/systemd ] && mount -t tmpfs tmpfs /run/systemd
  mkdir -m 700 "$dir/run"
  mkdir -p "$dir/home" "$dir/share"
  export HOME=$dir/home XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/home/.config
  export XDG_DATA_DIRS=$dir/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
  export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
  unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY XAUTHORITY
  # A system bus of its own, that answers nothing GNOME asks of it.
  DBUS_SYSTEM_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
    --address="unix:dir=$dir" 3>"$dir/system-bus.pid")
  private_gnome_pids+=("$(cat "$dir/system-bus.pid")")
  export DBUS_SYSTEM_BUS_ADDRESS
  DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
    --address="unix:dir=$dir" 3>"$dir/session-bus.pid")
  private_gnome_pids+=("$(cat "$dir/session-bus.pid")")
  export DBUS_SESSION_BUS_ADDRESS
  # No banners over the windows under test (such as "Screen Lock disabled").
  gsettings set org.gnome.desktop.notifications show-banners false
  gnome-shell --headless --wayland --unsafe-mode --virtual-monitor "$size" >"$dir/gnome.log" 2>&1 &
  private_gnome_pids+=($!)
  local _
  for _ in $(seq 150); do
    [ -S "$dir/run/wayland-0" ] && grep -q "Using public X11 display" "$dir/gnome.log" &&
      [ "$(gnome_eval 1 2>/dev/null)" = 1 ] && break
    sleep 0.1
  done
  [ "$(gnome_eval 1 2>/dev/null)" = 1 ] || { echo "GNOME Shell did not start" >&2; tail -n 30 "$dir/gnome.log" >&2; return 1; }
  export WAYLAND_DISPLAY=wayland-0
  DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$dir/gnome.log" | head -n1)
  XAUTHORITY=$(ls "$dir"/run/.mutter-Xwaylandauth.* 2>/dev/null | head -n1)
  export DISPLAY XAUTHORITY
  # The session ends its start in the overview; a user's first window
  # shows on the desktop.
  for _ in $(seq 100); do [ "$(gnome_eval 'Main.layoutManager._startingUp')" = false ] && break; sleep 0.1; done
  for _ in $(seq 50); do
    [ "$(gnome_eval 'Main.overview.hide(); Main.overview.visible || Main.overview.animationInProgress')" = false ] && break
    sleep 0.1
  done
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
