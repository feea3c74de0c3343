# SPDX-License-Identifier: MIT
# KDE Plasma's compositor for tests and benchmarks: KWin nested in a private
# X server (software drawing), on a private session bus, as a Plasma
# session starts a program (XDG_CURRENT_DESKTOP, KDE_SESSION_VERSION,
# kdeglobals with Breeze's colours, the program's desktop entry and icon
# installed). Source it, then:
#   private_kwin_need [TOOL...]  skips (77) unless KWin, Xvfb and each TOOL
#                                are there
#   private_kwin_bus "$0" "$@"   runs the script again on a session bus of
#                                its own, once
#   private_kwin_start           the X server, then KWin showing a
#                                1024x700 output at its top left; exports
#                                WAYLAND_DISPLAY, HOME, XDG_CONFIG_HOME
#   private_kwin_scheme NAME     kdeglobals made from Plasma's colour
#                                scheme NAME (BreezeLight, BreezeDark)
# KWin draws its pointer where the X pointer last left its output: a script
# parks it at 1020,4, outside where windows are looked for (x < 1000).
. "$(dirname "${BASH_SOURCE[0]}")/private-x.sh"

private_kwin_need() { private_x_need kwin_wayland dbus-run-session "$@"; }

private_kwin_bus() {
  [ -n "${NOMBRELIX_KWIN_BUS:-}" ] && return 0
  exec env NOMBRELIX_KWIN_BUS=1 dbus-run-session -- "$@"
}

private_kwin_scheme() { cp "/usr/share/color-schemes/$1.colors" "$XDG_CONFIG_HOME/kdeglobals"; }

private_kwin_start() {
  private_x_start 1280x800x24
  export HOME=$private_x_dir/home XDG_CONFIG_HOME=$private_x_dir/home/.config
  mkdir -p "$XDG_CONFIG_HOME"
  export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true XDG_SESSION_TYPE=wayland
  private_kwin_scheme BreezeLight
  # The application's icon at the title bar's left (Plasma 6 shows none by
  # default), minimize, maximize and close at its right.
  printf '[org.kde.kdecoration2]\nButtonsOnLeft=M\nButtonsOnRight=IAX\n' >"$XDG_CONFIG_HOME/kwinrc"
  # The program's desktop entry and icon, where a package puts them.
  local data
  data=$(cd "$(dirname "${BASH_SOURCE[0]}")/../data" && pwd)
  mkdir -p "$private_x_dir/share/applications" "$private_x_dir/share/icons/hicolor/scalable/apps"
  cp "$data/io.github.nombrelix.Nombrelix.desktop" "$private_x_dir/share/applications/"
  cp "$data/io.github.nombrelix.Nombrelix.svg" "$private_x_dir/share/icons/hicolor/scalable/apps/"
  export XDG_DATA_DIRS="$private_x_dir/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
  # KWin carries file capabilities that a container may refuse to grant: a
  # plain copy runs without them.
  cp "$(command -v kwin_wayland)" "$private_x_dir/kwin_wayland"
  KDE_SESSION_VERSION=$("$private_x_dir/kwin_wayland" --version 2>/dev/null | grep -o '[0-9][0-9]*' | head -n1)
  export KDE_SESSION_VERSION
  echo "KWin: $("$private_x_dir/kwin_wayland" --version 2>/dev/null)"
  "$private_x_dir/kwin_wayland" --x11-display "$DISPLAY" --socket wayland-nlx --width 1024 --height 700 \
    --no-lockscreen >"$private_x_dir/kwin.log" 2>&1 &
  private_x_pids+=($!)
  local _
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-nlx" ] && break; sleep 0.1; done
  [ -S "$XDG_RUNTIME_DIR/wayland-nlx" ] || { echo "FAIL: KWin did not start"; cat "$private_x_dir/kwin.log"; return 1; }
  export WAYLAND_DISPLAY=wayland-nlx
}
