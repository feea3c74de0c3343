#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installed files: desktop entry and AppStream metadata pass their
# validators, the icon theme has every size, and the scalable icon looks
# like the bitmaps.   install_test.sh <build-dir> <version>
set -euo pipefail
build=$1
version=$2
for tool in desktop-file-validate appstreamcli identify; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null
id=io.github.nombrelix.Nombrelix
. "$(dirname "$0")/lib.sh"

check_that test -x "$root/usr/bin/nombrelix"
check_that test -s "$root/usr/share/man/man1/nombrelix.1"
check_that desktop-file-validate "$root/usr/share/applications/$id.desktop"
check_that appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$id.metainfo.xml"
check_that grep -q "^Icon=$id$" "$root/usr/share/applications/$id.desktop"
check_that grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/usr/share/metainfo/$id.metainfo.xml"
check_that grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  check_that test "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x${size}"
done
svg="$root/usr/share/icons/hicolor/scalable/apps/$id.svg"
check_that test -s "$svg"
if command -v rsvg-convert >/dev/null; then
  rsvg-convert -w 256 -h 256 "$svg" -o "$root/svg.png"
  # Root mean square difference against the drawn 256-pixel icon, 0 to 1.
  diff=$(compare -metric RMSE "$root/svg.png" "$root/usr/share/icons/hicolor/256x256/apps/$id.png" null: 2>&1 |
         sed "s/.*(\(.*\))/\1/" || true)
  check_that awk -v d="$diff" 'BEGIN { exit !(d < 0.02) }'
fi
exit $fail
