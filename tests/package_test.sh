#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package, built through debian/ as `make package` builds it:
# its name, fields and contents, lintian's verdict, and the program from it,
# unpacked into a scratch root, showing its window under Xvfb.
#   package_test.sh <version>   (NOMBRELIX_SOURCE: the source tree)
set -euo pipefail
src=${NOMBRELIX_SOURCE:?}
version=$1
. "$src/scripts/private-x.sh"
private_x_need dpkg-buildpackage dh dpkg-deb
out=$private_x_dir/out
DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" "$src/scripts/build-package" "$src" "$out" >/dev/null
deb=$out/nombrelix_${version}_$(dpkg --print-architecture).deb
. "$(dirname "$0")/lib.sh"

check_that test -f "$deb"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
id=io.github.nombrelix.Nombrelix
for f in ./usr/bin/nombrelix ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/icons/hicolor/48x48/apps/$id.png \
         ./usr/share/man/man1/nombrelix.1.gz ./usr/share/doc/nombrelix/copyright \
         ./usr/share/doc/nombrelix/changelog.gz; do
  check_that grep -qx "$f" <<<"$contents"
done
check_that grep -q libqt6widgets6 <<<"$(dpkg-deb -f "$deb" Depends)"
check_that test "$(dpkg-deb -f "$deb" Version)" = "$version"
check_that test "$(dpkg-deb -f "$deb" Section)" = "math"
# The layout is drawn for Liberation's metrics.
check_that grep -qF 'fonts-liberation (>= 1:2) | fonts-liberation2' <<<"$(dpkg-deb -f "$deb" Depends)"
check_that test "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland"

if command -v lintian >/dev/null; then
  tags=$(lintian -EvIL +pedantic "$deb" 2>/dev/null | grep -E '^[EWI]: ' || true)
  printf '%s\n' "$tags"
  check_that test -z "$(grep -E '^[EW]: ' <<<"$tags")"
  check_that test "$(grep -c '^I: ' <<<"$tags" || true)" -le 1
else
  echo "note: lintian is not installed; the package was not checked with it"
fi

dpkg -x "$deb" "$private_x_dir/root"
private_x_start 800x600x24
check_that private_x_window "$private_x_dir/root/usr/bin/nombrelix"
exit $fail
