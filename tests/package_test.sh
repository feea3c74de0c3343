#!/usr/bin/env bash
# The Debian package: its name, contents and dependencies, and the program
# from it, unpacked into a scratch root, showing its window under Xvfb.
#   package_test.sh <build-dir>
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/*.deb)
fail=0
check() { if "$@"; then echo "ok: $*"; else echo "FAIL: $*"; fail=1; fi; }

check test "$(basename "$deb")" = "nombrelix_1.00_$(dpkg --print-architecture).deb"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
id=io.github.nombrelix.Nombrelix
for f in ./usr/bin/nombrelix ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/icons/hicolor/48x48/apps/$id.png; do
  check grep -qx "$f" <<<"$contents"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
check grep -q libqt6widgets6 <<<"$depends"
check test "$(dpkg-deb -f "$deb" Version)" = "1.00"

dpkg -x "$deb" "$work/root"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" XDG_RUNTIME_DIR=$work
unset QT_QPA_PLATFORM
"$work/root/usr/bin/nombrelix" >"$work/app.log" 2>&1 &
pids+=($!)
check timeout 10 xdotool search --sync --name '^Dec to Hex to Bin$'
exit $fail
